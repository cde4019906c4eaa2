#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints the failing tests of one CTest JUnit file, space-separated: a GoogleTest case by its
entry name (an instance of a parameterised case without the parameter's bytes that CTest adds),
a Qt Test function as Entry::function (from its "FAIL!" line, or the function it was in when the
program died), and Entry(crash) or Entry(timeout) where no function can be named.
With --rows, prints instead the failing rows, one a line: the test, a tab, then the row of its
table that failed (a Qt Test data tag, a GoogleTest SCOPED_TRACE, or a one-word message streamed
into the failing check) or, for a check that names no row, "line N" of the check.
Exits non-zero when the file holds no test at all."""
import re
import sys
import xml.etree.ElementTree as ET

FAIL = re.compile(r"^FAIL!\s*:\s*\w+::(\w+)\(", re.M)
LINE = re.compile(r"^(\w+)\s*:\s*\w+::(\w+)\(", re.M)
QT_ROW = re.compile(r"^FAIL!\s*:\s*\w+::(\w+)\((.*?)\) .*?\n(?:.*\n)*?\s*Loc: \[.*\((\d+)\)\]", re.M)
GTEST_CHECK = re.compile(r"^\S+:(\d+): Failure$")
GTEST_TRACE = re.compile(r"^\S+:\d+: (.*)$")
ROW_NAME = re.compile(r"^[\w.+-]+$")  # a message of one word names the row
# CTest's name of a named GoogleTest instance ends in its parameter's bytes, spaces and all:
# "Places/Suite.Case/HardLinked  # GetParam() = 4-byte object <01-00 00-00>". The instance's name
# before it tells the instances apart already.
PARAMETER = re.compile(r" +# GetParam\(\) = .*$")

def died_in(out):
    last = None
    for kind, function in LINE.findall(out):
        last = None if kind in ("PASS", "SKIP") else function
    return [last] if last else []


def failed_cases(path):
    cases = list(ET.parse(path).getroot().iter("testcase"))
    if not cases:
        sys.exit(f"{path}: no test cases")
    for case in cases:
        failure = case.find("failure")
        if case.get("status") == "fail" or failure is not None:
            timeout = failure is not None and "timeout" in failure.get("message", "").lower()
            name = PARAMETER.sub("", case.get("name"))
            if " " in name:  # the lists of names are space-separated: stop rather than split one
                sys.exit(f"{path}: a test name with a space: {name}")
            yield name, case.findtext("system-out") or "", timeout


def killers(path):
    found = []
    for name, out, timeout in failed_cases(path):
        if "Start testing of" not in out:  # a GoogleTest case
            found.append(name + ("(timeout)" if timeout else ""))
            continue
        functions = list(dict.fromkeys(FAIL.findall(out))) or died_in(out)
        found += [f"{name}::{function}" for function in functions]
        if timeout or not functions:
            found.append(f"{name}({'timeout' if timeout else 'crash'})")
    return found


def gtest_rows(out):
    """The row of each failing check: its trace, else its message, else its line."""
    rows, block = [], None
    for text in out.splitlines() + ["[ end ]"]:
        check = GTEST_CHECK.match(text)
        if block is not None and (check or text.startswith("[ ")):
            rows.append(row_of(*block))
            block = None
        if check:
            block = (check[1], [])
        elif block is not None:
            block[1].append(text)
    return rows


def row_of(line, text):
    if "Google Test trace:" in text:
        traces = text[text.index("Google Test trace:") + 1:]
        return " / ".join(m[1] for t in traces if (m := GTEST_TRACE.match(t)))
    message = [t for t in text if t.strip()]
    if message and ROW_NAME.match(message[-1]):
        return message[-1]
    return f"line {line}"


def rows(path):
    found = set()
    for name, out, timeout in failed_cases(path):
        if "Start testing of" not in out:
            found.update((name, row) for row in gtest_rows(out) or ["(timeout)" if timeout
                                                                     else "(crash)"])
            continue
        qt_rows = QT_ROW.findall(out)
        found.update((f"{name}::{f}", tag or f"line {line}") for f, tag, line in qt_rows)
        if not qt_rows:
            found.update((f"{name}::{f}", "(crash)") for f in died_in(out) or ["?"])
    return found


if __name__ == "__main__":
    if sys.argv[1] == "--rows":
        for test, row in sorted(rows(sys.argv[2])):
            print(f"{test}\t{row}")
    else:
        print(" ".join(killers(sys.argv[1])))
