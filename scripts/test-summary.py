#!/usr/bin/env python3
"""Prints the test cases that failed in the GoogleTest XML reports, then one line of totals.
Usage: test-summary.py RESULTS_DIR BIN_DIR   (a *_tests.exe in BIN_DIR without a report crashed or hung)"""
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

passed = failed = skipped = 0
failures = []
for report in sorted(Path(sys.argv[1]).glob("*.xml")):
    try:
        root = ET.parse(report).getroot()
    except ET.ParseError:
        failures.append(f"{report.stem}: unreadable report (the program may have crashed)")
        continue
    for case in root.iter("testcase"):
        name = f"{report.stem}: {case.get('classname')}.{case.get('name')}"
        if case.find("failure") is not None:
            failed += 1
            failures.append(name)
        elif case.get("result") == "skipped" or case.find("skipped") is not None:
            skipped += 1
        else:
            passed += 1
if len(sys.argv) > 2:
    for program in sorted(Path(sys.argv[2]).glob("*_tests.exe")):
        if not (Path(sys.argv[1]) / (program.stem + ".xml")).exists():
            failed += 1
            failures.append(f"{program.stem}: no report (the program crashed, hung or did not run)")
for f in failures:
    print(f"FAILED {f}")
print(f"{passed} passed, {failed} failed, {skipped} skipped")
