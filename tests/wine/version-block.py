"""Reads the version block of a Windows program back from the file, as Explorer's Properties
shows it, and compares it with what the build configured.

Usage: version-block.py PROGRAM FILE-VERSION PRODUCT-VERSION PRODUCT-NAME COPYRIGHT
(FILE-VERSION as MAJOR.MINOR with two minor digits, 1.03; PRODUCT-VERSION as 1.1)."""

import re
import struct
import subprocess
import sys


def numbers(version):
    """The four numbers of a version block for 1.03 or 1.1: 1,0,3,0 and 1,1,0,0."""
    major, minor = version.split(".")
    parts = [int(major), *map(int, minor)] if len(minor) == 2 else [int(major), int(minor)]
    return tuple(parts + [0] * (4 - len(parts)))


def main(program, file_version, product_version, name, copyright_):
    block = subprocess.run(["wrestool", "-x", "--raw", "--type=16", program], capture_output=True, check=True).stdout
    signature = block.find(struct.pack("<I", 0xFEEF04BD))
    assert signature >= 0, "no version block"
    fixed = struct.unpack_from("<4I", block, signature + 8)  # file and product, most significant first
    problems = []
    for what, (ms, ls), version in (("file", fixed[:2], file_version), ("product", fixed[2:], product_version)):
        if (got := (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)) != numbers(version):
            problems.append(f"{what} version {got}, not {numbers(version)}")
    # The string table: each key, the padding to four bytes, then its value, all in UTF-16.
    text = block.decode("utf-16-le", errors="replace")
    values = dict(re.findall(r"([A-Za-z]+)\x00+([^\x00]+)\x00", text))
    expected = {"FileVersion": file_version, "ProductVersion": product_version, "ProductName": name,
                "LegalCopyright": copyright_, "OriginalFilename": "SweltraC.exe"}
    for key, value in expected.items():
        if values.get(key) != value:
            problems.append(f"{key} is {values.get(key)!r}, not {value!r}")
    for problem in problems:
        print(f"FAIL {problem}")
    if not problems:
        print(f"PASS version block: file {file_version}, product {product_version}, {name!r}, {copyright_!r}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]) if len(sys.argv) == 6 else __doc__)
