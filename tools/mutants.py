#!/usr/bin/env python3
"""Mutation testing: how many seeded faults in src/ do the tests catch?

Applies one small fault at a time to a module's sources (an operator flipped, a boundary moved by
one, a condition negated, a statement deleted, a string literal changed), rebuilds that module's
tests in the dev preset, runs them through the module's CTest label and restores the file. A
mutant the tests fail on is killed; one they pass is a survivor, printed with file:line and the
change. A mutant that does not compile is stillborn and counts in neither.

The sample depends only on --seed, --count, --modules and the sources, so one command run before
and after a change to the tests compares like with like. A developer tool, not part of CI.

Usage: tools/mutants.py [--seed N] [--count N] [--modules risk,rtf,...] [--timeout SECONDS] [--list]
"""
import argparse
import json
import os
import random
import re
import signal
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
DEFAULT_MODULES = ["risk", "rtf", "platform", "documents", "printing", "viewer", "calculator", "startup"]
# Slow or environment-bound tests are no use for a per-mutant verdict.
EXCLUDED_LABELS = "memcheck|e2e|x11|package"
EXCLUDED_NAMES = "monkey|_memcheck|_on_x|install_layout|desktop_entry|metainfo"
LOGGING = re.compile(r"\b(qDebug|qInfo|qWarning|qCritical|qFatal|Q_ASSERT|Q_ASSERT_X|static_assert|assert)\b")


@dataclass(frozen=True)
class Mutant:
    module: str
    path: str  # relative to the repository
    line: int  # 1-based
    start: int  # offsets in the file's text
    end: int
    replacement: str
    kind: str
    original: str

    def describe(self):
        return f"{self.kind}: {self.original!r} -> {self.replacement!r}"


def code_mask(text):
    """Per character: 'c' code, 's' inside a string literal (quotes included), 'x' comment or other literal.
    Also returns the string literals as (start, end) spans, quotes included."""
    mask = ["c"] * len(text)
    strings = []
    i, n = 0, len(text)
    while i < n:
        ch = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            mask[i:j] = ["x"] * (j - i)
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            mask[i:j] = ["x"] * (j - i)
            i = j
        elif ch == 'R' and text.startswith('R"', i) and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")
                                                          or text[i - 1] in "uU8L"):
            open_paren = text.find("(", i)
            delimiter = text[i + 2:open_paren]
            j = text.find(")" + delimiter + '"', open_paren)
            j = n if j < 0 else j + len(delimiter) + 2
            mask[i:j] = ["x"] * (j - i)
            i = j
        elif ch in "\"'":
            # A quote between digits is a digit separator, not a character literal.
            if ch == "'" and i > 0 and text[i - 1].isalnum() and i + 1 < n and text[i + 1].isalnum() \
                    and text[i - 1].isdigit():
                i += 1
                continue
            j = i + 1
            while j < n and text[j] != ch and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            j = min(j + 1, n)
            mask[i:j] = ["s" if ch == '"' else "x"] * (j - i)
            if ch == '"':
                strings.append((i, j))
            i = j
        else:
            i += 1
    return "".join(mask), strings


RELATIONAL = {"==": "!=", "!=": "==", "<": "<=", "<=": "<", ">": ">=", ">=": ">"}
COMPARISON = re.compile(r" (==|!=|<=|>=|<|>) ")
BOUNDARY_RIGHT = re.compile(r" (?:==|!=|<=|>=|<|>) (-?\d+)(?![\w.'])")
BOUNDARY_LEFT = re.compile(r"(?<![\w.'])(\d+) (?:==|!=|<=|>=|<|>) ")
CONDITION = re.compile(r"\b(if|while) \(")
ASSIGNMENT = re.compile(r"(?<![=!<>])=(?!=)")
STATEMENT = re.compile(r"(?:\+\+|--)?[A-Za-z_]\w*(?:(?:\.|->|::)~?[A-Za-z_]\w*|\[[^\]]*\])*"
                       r"\s*(?:\(|=(?!=)|\+=|-=|\*=|/=|%=|&=|\|=|\^=|<<=|>>=|\+\+;|--;)")


def matching_paren(line_mask, line, open_at):
    depth = 0
    for k in range(open_at, len(line)):
        if line_mask[k] != "c":
            continue
        if line[k] == "(":
            depth += 1
        elif line[k] == ")":
            depth -= 1
            if depth == 0:
                return k
    return -1


def mutants_of(module, path):
    text = (ROOT / path).read_text(encoding="utf-8")
    mask, strings = code_mask(text)
    found = []
    offset = 0
    previous_end = "{"
    for number, line in enumerate(text.split("\n"), start=1):
        line_mask = mask[offset:offset + len(line)]
        stripped = line.strip()
        code = "".join(c if m == "c" else " " for c, m in zip(line, line_mask))
        skip = stripped.startswith("#") or LOGGING.search(code) is not None

        def add(start, end, replacement, kind):
            found.append(Mutant(module, path, number, offset + start, offset + end, replacement, kind,
                                line[start:end]))

        if not skip:
            for match in COMPARISON.finditer(code):
                op = match.group(1)
                add(match.start(1), match.end(1), RELATIONAL[op], "relational")
            for pattern in (BOUNDARY_RIGHT, BOUNDARY_LEFT):
                for match in pattern.finditer(code):
                    value = int(match.group(1))
                    for moved in (value - 1, value + 1):
                        add(match.start(1), match.end(1), str(moved), "boundary")
            for match in CONDITION.finditer(code):
                open_at = match.end() - 1
                close_at = matching_paren(line_mask, line, open_at)
                inner = line[open_at + 1:close_at] if close_at > open_at + 1 else ""
                # A condition that declares a variable cannot be negated as a whole.
                if inner and not ASSIGNMENT.search(code[open_at + 1:close_at]):
                    add(open_at + 1, close_at, f"!({inner})", "negate")
            body = code.strip()
            if (path.endswith(".cpp") and body.endswith(";") and previous_end in "{};:"
                    and STATEMENT.match(body) and not re.match(r"[A-Z][A-Z0-9_]+\(", body)
                    and body.count("(") == body.count(")") and not body.startswith("return")):
                start = len(line) - len(line.lstrip())
                add(start, len(code.rstrip()), "{}", "delete")
        code_tail = code.rstrip()
        if code_tail:
            previous_end = code_tail[-1]
        offset += len(line) + 1

    for start, end in strings:
        number = text.count("\n", 0, start) + 1
        line_start = text.rfind("\n", 0, start) + 1
        line_end = text.find("\n", start)
        line = text[line_start:line_end if line_end >= 0 else len(text)]
        line_code = "".join(c if m == "c" else " " for c, m in
                            zip(line, mask[line_start:line_start + len(line)]))
        if line.lstrip().startswith("#") or LOGGING.search(line_code) or "extern" in line_code:
            continue
        literal = text[start:end]
        # The closing quote stays; '~' cannot extend an escape sequence before it.
        found.append(Mutant(module, path, number, start, end, literal[:-1] + '~"', "string", literal))
    return found


def candidates(module):
    folder = ROOT / "src" / module
    found = []
    for source in sorted(folder.glob("*.cpp")) + sorted(folder.glob("*.h")):
        found += mutants_of(module, str(source.relative_to(ROOT)))
    return sorted(found, key=lambda m: (m.path, m.start, m.kind, m.replacement))


def sample(modules, count, seed):
    rng = random.Random(seed)
    pools = {module: candidates(module) for module in modules}
    share = {module: count // len(modules) + (1 if i < count % len(modules) else 0)
             for i, module in enumerate(modules)}
    # A module with fewer sites than its share passes the rest on.
    spare = 0
    for module in modules:
        if share[module] > len(pools[module]):
            spare += share[module] - len(pools[module])
            share[module] = len(pools[module])
    for module in modules:
        extra = min(spare, len(pools[module]) - share[module])
        share[module] += extra
        spare -= extra
    chosen = []
    for module in modules:
        # Kinds in turn, so a table of strings does not crowd out the operators.
        by_kind = {}
        for mutant in pools[module]:
            by_kind.setdefault(mutant.kind, []).append(mutant)
        kinds = sorted(by_kind)
        rng.shuffle(kinds)
        picked = 0
        while picked < share[module]:
            for kind in kinds:
                if picked == share[module] or not by_kind[kind]:
                    continue
                chosen.append(by_kind[kind].pop(rng.randrange(len(by_kind[kind]))))
                picked += 1
    return chosen


class Runner:
    def __init__(self, args):
        self.args = args
        self.build_dir = ROOT / "build" / args.preset
        self.journal = self.build_dir / "mutants-journal.json"
        self.child = None

    def run(self, command, timeout=None):
        """Runs a command niced, in its own process group so a timeout or Ctrl+C ends all of it."""
        full = ["nice", "-n", str(self.args.nice)] + command
        self.child = subprocess.Popen(full, cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                      text=True, errors="replace", start_new_session=True)
        try:
            output, _ = self.child.communicate(timeout=timeout)
            return self.child.returncode, output
        except subprocess.TimeoutExpired:
            self.stop_child()
            return None, ""
        finally:
            self.stop_child()
            self.child = None

    def stop_child(self):
        if self.child and self.child.poll() is None:
            try:
                os.killpg(self.child.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            self.child.wait()

    def restore_from_journal(self):
        """A run that was killed outright leaves its journal; put the file back first."""
        if not self.journal.exists():
            return
        entry = json.loads(self.journal.read_text(encoding="utf-8"))
        (ROOT / entry["path"]).write_text(entry["text"], encoding="utf-8", newline="")
        self.journal.unlink()
        print(f"restored {entry['path']} left mutated by an interrupted run", flush=True)

    def configure(self):
        # Always: the labels come from the current CMake files.
        code, output = self.run(["cmake", "--preset", self.args.preset])
        if code != 0:
            sys.exit(f"cmake --preset {self.args.preset} failed:\n{output}")

    def ctest_selection(self, module):
        return ["-L", f"^{module}$", "-LE", EXCLUDED_LABELS, "-E", EXCLUDED_NAMES]

    def test_targets(self, module):
        code, output = self.run(["ctest", "--test-dir", str(self.build_dir), "--show-only=json-v1"]
                                + self.ctest_selection(module))
        if code != 0:
            sys.exit(f"ctest could not list the tests of {module}:\n{output}")
        targets = set()
        for test in json.loads(output).get("tests", []):
            # The program's name is the target's; a program not built yet has no command, and
            # then the test's name is the program's.
            command = test.get("command") or [test["name"]]
            targets.add(Path(command[0]).name)
        return sorted(targets)

    def build(self, targets):
        code, output = self.run(["cmake", "--build", "--preset", self.args.preset, "-j", str(self.args.jobs),
                                 "--target"] + targets)
        return code == 0, output

    def test(self, module, timeout):
        started = time.monotonic()
        code, output = self.run(["ctest", "--test-dir", str(self.build_dir), "--stop-on-failure",
                                 "--timeout", str(timeout)] + self.ctest_selection(module), timeout=timeout)
        return code, time.monotonic() - started, output


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--count", type=int, default=40, help="mutants in the sample (default 40)")
    parser.add_argument("--modules", default=",".join(DEFAULT_MODULES),
                        help="comma-separated folders of src/ (default: %(default)s)")
    parser.add_argument("--timeout", type=float, default=None,
                        help="seconds for one mutant's tests; default three times the unmutated run plus 30")
    parser.add_argument("--preset", default="dev")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--nice", type=int, default=10)
    parser.add_argument("--list", action="store_true", help="print the sample and stop")
    args = parser.parse_args()
    modules = [m for m in args.modules.split(",") if m]
    for module in modules:
        if not (ROOT / "src" / module).is_dir():
            sys.exit(f"no module src/{module}")

    mutants = sample(modules, args.count, args.seed)
    print(f"mutants.py --seed {args.seed} --count {args.count} --modules {','.join(modules)}: "
          f"{len(mutants)} mutants", flush=True)
    if args.list:
        for mutant in mutants:
            print(f"  {mutant.path}:{mutant.line}  {mutant.describe()}")
        return 0

    runner = Runner(args)
    # SIGTERM and SIGHUP end the run like Ctrl+C, through the restoring finally below (SIGINT too
    # when the shell that started the run in the background had it ignored).
    for sig in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        signal.signal(sig, signal.default_int_handler)
    runner.restore_from_journal()
    dirty = subprocess.run(["git", "status", "--porcelain", "--", "src"], cwd=ROOT, capture_output=True,
                           text=True).stdout
    if dirty:
        sys.exit(f"src/ has uncommitted changes; commit or stash them first:\n{dirty}")
    runner.configure()
    # Every test program built once, so that each test names its program (ctest knows the
    # program of a test registered under another name only once it exists).
    built, output = runner.build(["all"])
    if not built:
        sys.exit(f"the unmutated build failed:\n{output}")

    # The unmutated tests must pass, and their time sets the per-mutant limit.
    targets, limits = {}, {}
    for module in sorted(set(m.module for m in mutants), key=modules.index):
        targets[module] = runner.test_targets(module)
        if not targets[module]:
            sys.exit(f"no tests carry the label {module}")
        built, output = runner.build(targets[module])
        if not built:
            sys.exit(f"the unmutated build fails:\n{output[-3000:]}")
        code, seconds, output = runner.test(module, args.timeout or 1800)
        if code != 0:
            sys.exit(f"the unmutated tests of {module} fail:\n{output[-3000:]}")
        limits[module] = args.timeout or 3 * seconds + 30
        print(f"{module}: {len(targets[module])} test programs, {seconds:.1f} s unmutated, "
              f"limit {limits[module]:.0f} s", flush=True)

    killed, survivors, stillborn = [], [], []
    started = time.monotonic()
    try:
        for index, mutant in enumerate(mutants, start=1):
            path = ROOT / mutant.path
            original = path.read_text(encoding="utf-8")
            mutated = original[:mutant.start] + mutant.replacement + original[mutant.end:]
            runner.journal.write_text(json.dumps({"path": mutant.path, "text": original}), encoding="utf-8")
            try:
                path.write_text(mutated, encoding="utf-8", newline="")
                built, _ = runner.build(targets[mutant.module])
                if not built:
                    verdict = "stillborn"
                    stillborn.append(mutant)
                else:
                    code, seconds, _ = runner.test(mutant.module, limits[mutant.module])
                    if code is None:
                        verdict = f"killed (timeout {seconds:.0f} s)"
                        killed.append(mutant)
                    elif code != 0:
                        verdict = f"killed ({seconds:.1f} s)"
                        killed.append(mutant)
                    else:
                        verdict = f"SURVIVED ({seconds:.1f} s)"
                        survivors.append(mutant)
            finally:
                # Restored with a new time stamp, so the next build compiles the original again.
                path.write_text(original, encoding="utf-8", newline="")
                runner.journal.unlink(missing_ok=True)
            print(f"[{index:3}/{len(mutants)}] {mutant.path}:{mutant.line}  {mutant.describe()}  {verdict}",
                  flush=True)
    except KeyboardInterrupt:
        runner.stop_child()
        print("interrupted; the sources are restored", flush=True)
        return 130
    finally:
        # The last mutant's programs must not stay in the build tree looking current.
        built_targets = sorted({t for m in mutants for t in targets.get(m.module, [])})
        if built_targets and not runner.build(built_targets)[0]:
            print("the unmutated rebuild failed; rebuild before testing", flush=True)

    tested = len(killed) + len(survivors)
    rate = 100.0 * len(killed) / tested if tested else 0.0
    print(f"\nkilled {len(killed)}/{tested} ({rate:.1f}%), stillborn {len(stillborn)}, "
          f"{time.monotonic() - started:.0f} s")
    for module in modules:
        k = sum(m.module == module for m in killed)
        t = k + sum(m.module == module for m in survivors)
        if t:
            print(f"  {module}: killed {k}/{t}")
    if survivors:
        print("survivors:")
        for mutant in survivors:
            print(f"  {mutant.path}:{mutant.line}  {mutant.describe()}")
    if stillborn:
        print("stillborn (did not compile):")
        for mutant in stillborn:
            print(f"  {mutant.path}:{mutant.line}  {mutant.describe()}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
