#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Cindral developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints the failing tests of one CTest JUnit file, space-separated: a GoogleTest case by its
entry name, a Qt Test function as Entry::function (from its "FAIL!" line, or the function it was
in when the program died), and Entry(crash) or Entry(timeout) where no function can be named.
Exits non-zero when the file holds no test at all."""
import re
import sys
import xml.etree.ElementTree as ET

FAIL = re.compile(r"^FAIL!\s*:\s*\w+::(\w+)\(", re.M)
LINE = re.compile(r"^(\w+)\s*:\s*\w+::(\w+)\(", re.M)


def died_in(out):
    last = None
    for kind, function in LINE.findall(out):
        last = None if kind in ("PASS", "SKIP") else function
    return [last] if last else []


def killers(path):
    cases = list(ET.parse(path).getroot().iter("testcase"))
    if not cases:
        sys.exit(f"{path}: no test cases")
    found = []
    for case in cases:
        name, failure = case.get("name"), case.find("failure")
        if case.get("status") != "fail" and failure is None:
            continue
        out = case.findtext("system-out") or ""
        timeout = failure is not None and "timeout" in failure.get("message", "").lower()
        if "Start testing of" not in out:  # a GoogleTest case
            found.append(name + ("(timeout)" if timeout else ""))
            continue
        functions = list(dict.fromkeys(FAIL.findall(out))) or died_in(out)
        found += [f"{name}::{function}" for function in functions]
        if timeout or not functions:
            found.append(f"{name}({'timeout' if timeout else 'crash'})")
    return found


if __name__ == "__main__":
    print(" ".join(killers(sys.argv[1])))
