#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Summarises a run of tools/mutation/run.sh: the faults nothing caught, then per test the faults it
catches, those it alone catches and its own lines, then the smallest set of tests (by their own
lines) that still catches every caught fault.
    python3 tools/mutation/analyze.py WORK        (the run's folder, holding results.txt and tree/)"""
import re
import sys
from collections import defaultdict
from pathlib import Path

work = Path(sys.argv[1])
here = Path(__file__).resolve().parent
where = dict(line.split("\t")[:2] for line in (here / "mutants.txt").read_text().splitlines())
outcomes = dict(line.split("\t", 1) for line in (work / "results.txt").read_text().splitlines())
outcomes.pop("BASELINE", None)


def non_blank(source):
    return sum(1 for line in source.read_text().splitlines() if line.strip())


def own_lines(tree):
    """Non-blank lines of each test's body: a GoogleTest TEST or a Qt Test slot with its _data;
    and the file each is in."""
    sizes, files = defaultdict(int), {}
    for source in (tree / "tests").rglob("*.cpp"):
        name, end, qt_class = None, None, None
        for line in source.read_text().splitlines():
            if match := re.match(r"class (\w+) : public QObject", line):
                qt_class = match[1]
            if match := re.match(r"TEST(?:_F|_P)?\((\w+), (\w+)\)", line):
                name, end = f"{match[1]}.{match[2]}", "}"
            elif qt_class and (match := re.match(r"    void (\w+?)(?:_data)?\(\)$", line)):
                fixture = match[1] in ("init", "cleanup", "initTestCase", "cleanupTestCase")
                name, end = (None if fixture else f"{qt_class}::{match[1]}"), "    }"
            if name and line.strip():
                sizes[name] += 1
                files[name] = source
            if line == end:
                name = None
    return sizes, files


def base_name(test):
    """The test's source name: a Qt entry's variants (MainWindowTest_dejavu_only) share a body."""
    return re.sub(r"_\w+(?=::)", "", test)


killers = {m: {base_name(t) for t in o.split()} for m, o in outcomes.items()
           if o not in ("SURVIVED", "STILLBORN", "NOCHANGE")}
tree = work / "tree"
sizes, files = own_lines(tree)
caught = defaultdict(set)
for mutant, tests in killers.items():
    for test in tests:
        caught[test].add(mutant)


def smallest_cover():
    """Every test that alone catches a fault, then the fewest further lines that catch the rest."""
    forced = {next(iter(t)) for t in killers.values() if len(t) == 1}
    left = {m for m, t in killers.items() if not t & forced}
    best = (float("inf"), set())

    def search(left, chosen, cost):
        nonlocal best
        if cost >= best[0]:
            return
        if not left:
            best = (cost, set(chosen))
            return
        mutant = min(left, key=lambda m: len(killers[m]))
        for test in sorted(killers[mutant], key=lambda t: sizes.get(t, 0)):
            search(left - caught[test], chosen | {test}, cost + sizes.get(test, 0))

    search(left, set(), 0)
    return forced, best[1]


print(f"faults: {len(outcomes)}, caught: {len(killers)}, "
      f"not caught: {sum(o == 'SURVIVED' for o in outcomes.values())}, "
      f"not built or not applied: {sum(o in ('STILLBORN', 'NOCHANGE') for o in outcomes.values())}")
print("\n## Not caught")
for mutant, outcome in outcomes.items():
    if outcome == "SURVIVED":
        print(f"{mutant}\t{where[mutant]}")
print("\n## Tests: faults caught alone, caught, own lines")
alone = {t: sorted(m for m in caught[t] if killers[m] == {t}) for t in set(sizes) | set(caught)}
for test in sorted(alone, key=lambda t: (len(alone[t]), len(caught[t]), t)):
    print(f"{len(alone[test])}\t{len(caught[test])}\t{sizes.get(test, 0)}\t{test}\t"
          f"{' '.join(alone[test])}")
forced, extra = smallest_cover()
print("\n## Smallest set of tests that catches every caught fault")
print(f"tests that alone catch a fault: {len(forced)}, "
      f"{sum(sizes.get(t, 0) for t in forced)} lines")
print(f"fewest further lines: {sum(sizes.get(t, 0) for t in extra)} ({', '.join(sorted(extra))})")
code = [f for f in tree.rglob("*") if f.suffix in (".cpp", ".h") and "build" not in f.parts]
tests = [f for f in code if f.is_relative_to(tree / "tests")]
every, product = sum(map(non_blank, tests)), sum(non_blank(f) for f in code if f not in tests)
# The cover with what its tests need around them: their files' includes, fixtures and helpers,
# and every shared header and support file.
kept = forced | extra
files_kept = {files[t] for t in kept if t in files}
around = sum(non_blank(f) for f in tests if f in files_kept or f.suffix == ".h" or
             not any(files.get(t) == f for t in sizes))
around -= sum(sizes[t] for t in sizes if files[t] in files_kept)
needed = sum(sizes.get(t, 0) for t in kept) + around
print(f"all tests' own lines: {sum(sizes.values())}, of {every} lines of test code; "
      f"product code: {product} lines ({every / product:.0%})")
print(f"the smallest set with what it needs around it: {needed} lines ({needed / product:.0%} "
      f"of the product code)")
