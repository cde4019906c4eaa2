#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Summarises a run of tools/mutation/run.sh: the faults by file, the faults nothing caught, then
per test the faults it catches, those it alone catches and its own lines, the rows of tables (and
the checks that name no row) that alone catch a fault, the smallest set of tests (by their own
lines) that still catches every caught fault, and the test code's lines in test bodies and in the
harness around them. With --before, the faults by file of an earlier run beside this one's, and
every fault the earlier run caught that this one misses.
    python3 tools/mutation/analyze.py WORK [--before EARLIER_WORK]
(a run's folder, holding results.txt, logs/ and tree/)"""
import argparse
import re
from collections import defaultdict
from pathlib import Path

from killers import rows

arguments = argparse.ArgumentParser()
arguments.add_argument("work", type=Path)
arguments.add_argument("--before", type=Path)
options = arguments.parse_args()
work = options.work
here = Path(__file__).resolve().parent
where = dict(line.split("\t")[:2] for line in (here / "mutants.txt").read_text().splitlines())
NOT_CAUGHT = ("SURVIVED", "STILLBORN", "NOCHANGE")


def outcomes_of(folder):
    found = dict(line.split("\t", 1) for line in (folder / "results.txt").read_text().splitlines())
    found.pop("BASELINE", None)
    return found


outcomes = outcomes_of(work)


def non_blank(source):
    """Its lines that are not blank, the licence lines left out."""
    return sum(1 for line in source.read_text().splitlines()
               if line.strip() and "SPDX-" not in line)


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
           if o not in NOT_CAUGHT}
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


def by_file(found):
    """Per file of the faults: how many, caught, not caught, not built or not applied."""
    counts = defaultdict(lambda: [0, 0, 0, 0])
    for mutant, outcome in found.items():
        row = counts[where.get(mutant, "?")]
        row[0] += 1
        row[1 + (outcome == "SURVIVED") + 2 * (outcome in ("STILLBORN", "NOCHANGE"))] += 1
    return counts


def row_killers(mutant):
    """The rows that failed in both runs of the tests on a caught fault."""
    logs = work / "logs"
    both = rows(logs / f"{mutant}.xml")
    if (logs / f"{mutant}.again.xml").exists():
        both &= rows(logs / f"{mutant}.again.xml")
    return {(base_name(test), row) for test, row in both}


print(f"faults: {len(outcomes)}, caught: {len(killers)}, "
      f"not caught: {sum(o == 'SURVIVED' for o in outcomes.values())}, "
      f"not built or not applied: {sum(o in ('STILLBORN', 'NOCHANGE') for o in outcomes.values())}")
print("\n## Faults by file: faults, caught, not caught, not built or not applied")
for path, counts in sorted(by_file(outcomes).items()):
    print(path, *counts, sep="\t")
if options.before:
    earlier = outcomes_of(options.before)
    before, after = by_file(earlier), by_file(outcomes)
    print("\n## Caught before and now, by file")
    for path in sorted(set(before) | set(after)):
        print(f"{path}\t{before[path][1]} of {before[path][0]}\t{after[path][1]} of {after[path][0]}")
    lost = [m for m, o in earlier.items() if o not in NOT_CAUGHT and m not in killers]
    print(f"\ncaught before, missed now: {' '.join(lost) or 'none'}")
print("\n## Not caught")
for mutant, outcome in outcomes.items():
    if outcome == "SURVIVED":
        print(f"{mutant}\t{where[mutant]}")
print("\n## Tests: faults caught alone, caught, own lines")
alone = {t: sorted(m for m in caught[t] if killers[m] == {t}) for t in set(sizes) | set(caught)}
for test in sorted(alone, key=lambda t: (len(alone[t]), len(caught[t]), t)):
    print(f"{len(alone[test])}\t{len(caught[test])}\t{sizes.get(test, 0)}\t{test}\t"
          f"{' '.join(alone[test])}")
caught_by_row = {m: row_killers(m) for m in killers}
row_alone = defaultdict(list)
for mutant, found in caught_by_row.items():
    if len(found) == 1:
        row_alone[next(iter(found))].append(mutant)
print("\n## Rows and checks that alone catch a fault")
print(f"rows and checks that catch a fault: {len(set().union(*caught_by_row.values()))}, "
      f"alone: {len(row_alone)}")
for (test, row), mutants in sorted(row_alone.items()):
    print(f"{test}\t{row}\t{' '.join(sorted(mutants))}")
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
print("\n## Test code: lines in test bodies and in the harness around them, by file")
bodies = defaultdict(int)
for test, size in sizes.items():
    bodies[files[test]] += size
for source in sorted(tests):
    print(f"{source.relative_to(tree)}\t{bodies[source]}\t{non_blank(source) - bodies[source]}")
print(f"all\t{sum(bodies.values())}\t{every - sum(bodies.values())}")
