#!/usr/bin/env python3
"""The mutation tool's own check: on a sample C++ file and a sample resource
script its operators make every fault listed by hand in expected.txt and no
other; each fault is one change, found again after the file changed
elsewhere; and a sample is spread over the folders by their lines of code,
the same for the same seed."""
import importlib.machinery
import importlib.util
import pathlib
import shutil
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
TOOL = HERE.parent.parent / "scripts" / "mutate"


def load_tool():
    loader = importlib.machinery.SourceFileLoader("mutate", str(TOOL))
    module = importlib.util.module_from_spec(importlib.util.spec_from_loader("mutate", loader))
    loader.exec_module(module)
    return module


def expected_faults():
    faults, name = {}, None
    for line in (HERE / "expected.txt").read_text(encoding="utf-8").splitlines():
        if line.startswith("#") or not line:
            continue
        if line.startswith("sample."):
            name = line
            faults[name] = []
        else:
            faults[name].append(line.rstrip())
    return faults


def main():
    tool = load_tool()
    problems = []

    for name, wanted in expected_faults().items():
        text = (HERE / name).read_text(encoding="utf-8")
        faults = tool.faults_in(name, text)
        made = []
        for fault in faults:
            old, new = fault.describe(text)
            made.append(("%d %s: %s => %s" % (fault.line, fault.operator, old, new)).rstrip())
        for line in sorted(set(wanted) | set(made)):
            if wanted.count(line) != made.count(line):
                problems.append("%s: expected %d, made %d: %s"
                                % (name, wanted.count(line), made.count(line), line))

        # One change each, and found again once a line is added above it.
        moved = "// one more line\n" + text
        for fault in faults:
            changed = fault.apply(text)
            if changed[:fault.start] != text[:fault.start] or \
                    changed[fault.start + len(fault.replacement):] != text[fault.end:]:
                problems.append("%s:%d %s changes more than its place" % (name, fault.line, fault.operator))
            located = fault.locate(moved)
            if located is None or located.apply(moved) != "// one more line\n" + changed:
                problems.append("%s:%d %s is not found again in the moved text"
                                % (name, fault.line, fault.operator))

    # A tree of two folders and a resource script: clock holds twice the code
    # of settings, and gets twice the faults.
    with tempfile.TemporaryDirectory() as root:
        root = pathlib.Path(root)
        for place in ("settings/One.cpp", "clock/One.cpp", "clock/Two.cpp"):
            (root / place).parent.mkdir(parents=True, exist_ok=True)
            shutil.copy(HERE / "sample.cpp", root / place)
        shutil.copy(HERE / "sample.rc", root / "clock/curlin.rc")
        plan, groups = tool.plan_sample(root, 7, 20)
        again, _ = tool.plan_sample(root, 7, 20)
        other, _ = tool.plan_sample(root, 8, 20)
        sampled = {group: numbers["sampled"] for group, numbers in groups.items() if numbers["sampled"]}
        if len(plan) != 20 or sum(sampled.values()) != 20:
            problems.append("a sample of 20 holds %d faults" % len(plan))
        if abs(sampled.get("clock", 0) - 2 * sampled.get("settings", 0)) > 1:
            problems.append("clock and settings sampled %s" % sampled)
        if sampled.get("resources", 0) < 1:
            problems.append("the resource script got no fault: %s" % sampled)
        keys = lambda faults: [(f.file, f.start, f.operator, f.replacement) for f in faults]
        if keys(plan) != keys(again):
            problems.append("the same seed planned another sample")
        if keys(plan) == keys(other):
            problems.append("another seed planned the same sample")
        if [f.id for f in plan] != ["M%03d" % n for n in range(1, 21)]:
            problems.append("faults are not numbered M001 to M020")

    for problem in problems:
        print("FAIL:", problem)
    if not problems:
        print("PASS: the operators make exactly the listed faults, each one change")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
