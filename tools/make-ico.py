#!/usr/bin/env python3
"""make-ico.py OUT.ico IN.png...: a Windows icon holding the PNGs as they are, one size each.

Windows reads PNG images inside an icon file, so the pixels are the PNGs' own, not re-encoded."""
import struct
import sys


def png_size(data, name):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        sys.exit(f"make-ico: {name} is not a PNG")
    return struct.unpack(">II", data[16:24])


def main(out, inputs):
    images = []
    for name in inputs:
        with open(name, "rb") as f:
            data = f.read()
        width, height = png_size(data, name)
        if width > 256 or height > 256:
            sys.exit(f"make-ico: {name} is larger than 256 pixels")
        images.append((width, height, data))
    images.sort(key=lambda image: image[0])
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries, bodies = b"", b""
    for width, height, data in images:
        # 256 is written as 0; 32 bits per pixel, one plane.
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
        bodies += data
        offset += len(data)
    with open(out, "wb") as f:
        f.write(header + entries + bodies)


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit("usage: make-ico.py OUT.ico IN.png...")
    main(sys.argv[1], sys.argv[2:])
