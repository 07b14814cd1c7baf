#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 The Pellomar developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""What a screen reader sees of Pellomar's main window, read through AT-SPI.

Run by scripts/check-accessibility.sh with the program on the accessibility bus. Checks that
the search form's controls carry their captions, the column headings can be pressed and the
result rows come as a table of cells. Exits 1 with the problems found.
"""
import sys
import time

import pyatspi

EXPECTED_ROWS = int(sys.argv[1]) if len(sys.argv) > 1 else 3


def find_app(name, seconds=20):
    desktop = pyatspi.Registry.getDesktop(0)
    deadline = time.time() + seconds
    while time.time() < deadline:
        for app in desktop:
            if app is not None and name in (app.name or ""):
                return app
        time.sleep(0.2)
    return None


def walk(node, depth=0):
    yield node, depth
    # The table's cells are checked through its Table interface, not one by one.
    if node.getRoleName() == "table":
        return
    for child in node:
        if child is not None:
            yield from walk(child, depth + 1)


def labelled_by(node):
    names = []
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            names += [relation.getTarget(i).name for i in range(relation.getNTargets())]
    return names


def main():
    problems = []
    app = find_app("pellomar")
    if app is None:
        print("check-accessibility: the program never showed up on the accessibility bus")
        return 1
    nodes = list(walk(app))
    for node, depth in nodes:
        print("  " * depth + f"{node.getRoleName()}: {node.name!r}")

    def named(role, name):
        return [n for n, _ in nodes if n.getRoleName() == role and n.name == name]

    for caption in ("City", "ZIP Code", "Filter"):
        if not named("text", caption):
            problems.append(f"no text field named {caption!r}")
    for caption in ("Country", "Location Type", "Hotspot Type"):
        combos = [n for n, _ in nodes if n.getRoleName() == "combo box" and caption in labelled_by(n) + [n.name]]
        if not combos:
            problems.append(f"no combo box named or labelled {caption!r}")
    if not named("push button", "Search hotspots!"):
        problems.append("no button 'Search hotspots!'")
    for heading in ("Location Name", "Country", "City", "Type", "Access", "Operator"):
        found = named("table column header", heading)
        if not found:
            problems.append(f"no column header {heading!r}")
        else:
            action = found[0].queryAction()
            actions = [action.getName(i).lower() for i in range(action.nActions)]
            if "press" not in actions:
                problems.append(f"column header {heading!r} cannot be pressed: {actions}")

    tables = [n for n, _ in nodes if n.getRoleName() == "table" and n.name == "Results"]
    if not tables:
        problems.append("no table named 'Results'")
    else:
        table = tables[0].queryTable()
        if table.nRows != EXPECTED_ROWS or table.nColumns != 7:
            problems.append(f"table is {table.nRows}x{table.nColumns}, expected {EXPECTED_ROWS}x7")
        if table.getColumnDescription(1) != "Location Name":
            problems.append(f"column 1 is described as {table.getColumnDescription(1)!r}")
        for row in range(table.nRows):
            number = table.getAccessibleAt(row, 0)
            name = table.getAccessibleAt(row, 1)
            print(f"row {row}: {number.name!r} {name.name!r} ({name.getRoleName()})")
            if number.name != str(row + 1) or not name.name:
                problems.append(f"row {row} reads {number.name!r} {name.name!r}")
        # Pressing a heading sorts the rows, and the table follows: by operator, Mid Hotel first.
        operator = named("table column header", "Operator")
        if operator and table.nRows == EXPECTED_ROWS:
            action = operator[0].queryAction()
            for i in range(action.nActions):
                if action.getName(i).lower() == "press":
                    action.doAction(i)
            time.sleep(0.5)
            first = table.getAccessibleAt(0, 1).name
            if first != "Mid Hotel":
                problems.append(f"after sorting by operator the first row is {first!r}")
    for problem in problems:
        print("check-accessibility:", problem)
    print("check-accessibility:", "FAILED" if problems else "passed")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
