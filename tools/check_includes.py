#!/usr/bin/env python3
"""Checks the #include "..." lines of the sources for these faults and exits
non-zero on any:

- a circle: files that include each other, directly or through others. A
  class's .h and .cpp count as one file, so a page whose .cpp includes the
  sheet while the sheet's header includes the page is a circle.
- an include that goes up the layers: a folder may include its own and lower
  folders only (model < store < html < render < app < wizard and cli, the
  last two apart from each other). A sub folder is in its folder's layer
  (html/read is html). Files directly in src/ sit on top.
- a circle of rooms: the folders below a layer's folder are its rooms (the
  folder's own files are a room too), and rooms include each other one way
  only, so that no room includes one that uses it.
- a reach past a door: some folders may use only a few headers of a lower
  one (the wizard reaches the application only through the host it is
  handed, see DOORS).

Usage: check_includes.py [SRC_DIR]  (default: the src folder beside tools/)
"""

import re
import sys
from pathlib import Path

LEVELS = {"model": 0, "store": 1, "html": 2, "render": 3, "app": 4, "wizard": 5, "cli": 5}
TOP = max(LEVELS.values()) + 1
# The only headers of the second folder that files of the first may include.
# The wizard gets the application as the host the sheet is handed, and the
# dialogs through the seam the host gives out; besides those, two helpers
# that hold none of the program's state (the wait cursor, the icon read from
# the resources).
DOORS = {
    ("wizard", "app"): {"app/WizardHost", "app/UserInterface", "app/WaitCursor", "app/ProgramIcon"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.MULTILINE)


def folder_of(unit):
    return unit.split("/")[0] if "/" in unit else ""


def level_of(unit):
    return LEVELS.get(folder_of(unit), TOP)


def room_of(unit):
    """The folder a file lies in, below src ("wizard/pages", "html/read",
    "html"); files directly in src/ are in the room ""."""
    return unit.rsplit("/", 1)[0] if "/" in unit else ""


def read_graph(src):
    """Maps each file (path below src without its suffix) to the files it includes."""
    graph = {}
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        unit = path.relative_to(src).with_suffix("").as_posix()
        edges = graph.setdefault(unit, set())
        for name in INCLUDE.findall(path.read_text(encoding="utf-8")):
            for candidate in (src / name, path.parent / name):
                if candidate.is_file():
                    target = candidate.resolve().relative_to(src.resolve())
                    edges.add(target.with_suffix("").as_posix())
                    break
        edges.discard(unit)
    return graph


def circles(graph):
    """The groups of files that reach each other (Tarjan's strongly connected
    components), each of more than one file."""
    index, low, stack, on_stack, found = {}, {}, [], set(), []

    def visit(start):
        # Iterative depth-first search: (file, its remaining targets).
        work = [(start, iter(sorted(graph.get(start, ()))))]
        index[start] = low[start] = len(index)
        stack.append(start)
        on_stack.add(start)
        while work:
            unit, targets = work[-1]
            target = next(targets, None)
            if target is not None:
                if target not in index:
                    index[target] = low[target] = len(index)
                    stack.append(target)
                    on_stack.add(target)
                    work.append((target, iter(sorted(graph.get(target, ())))))
                elif target in on_stack:
                    low[unit] = min(low[unit], index[target])
                continue
            work.pop()
            if work:
                parent = work[-1][0]
                low[parent] = min(low[parent], low[unit])
            if low[unit] == index[unit]:
                group = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    group.append(member)
                    if member == unit:
                        break
                if len(group) > 1:
                    found.append(sorted(group))

    for unit in sorted(graph):
        if unit not in index:
            visit(unit)
    return found


def one_round(graph, group):
    """A path through the group that comes back to where it started."""
    members = set(group)
    path = [group[0]]
    seen = {group[0]: 0}
    while True:
        step = next(t for t in sorted(graph[path[-1]]) if t in members)
        if step in seen:
            return path[seen[step]:] + [step]
        seen[step] = len(path)
        path.append(step)


def room_graph(graph):
    """Maps each room to the rooms of its own folder that its files include,
    and each such step to one include that makes it."""
    rooms, why = {}, {}
    for unit in sorted(graph):
        here = room_of(unit)
        steps = rooms.setdefault(here, set())
        for target in sorted(graph[unit]):
            there = room_of(target)
            if there != here and here and there.split("/")[0] == here.split("/")[0]:
                steps.add(there)
                why.setdefault((here, there), "%s includes %s" % (unit, target))
    return rooms, why


def main():
    src = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "src"
    graph = read_graph(src)
    faults = []
    for group in circles(graph):
        faults.append("circle of %d files: %s" % (len(group), " -> ".join(one_round(graph, group))))
    rooms, why = room_graph(graph)
    for group in circles(rooms):
        path = one_round(rooms, group)
        steps = ["%s (%s)" % (path[i + 1], why[(path[i], path[i + 1])]) for i in range(len(path) - 1)]
        faults.append("circle of %d rooms: %s -> %s" % (len(group), path[0], " -> ".join(steps)))
    for unit in sorted(graph):
        for target in sorted(graph[unit]):
            upward = level_of(target) > level_of(unit)
            across = level_of(target) == level_of(unit) and folder_of(target) != folder_of(unit)
            if upward or across:
                faults.append("%s includes %s, a %s layer" % (unit, target, "higher" if upward else "separate"))
            doors = DOORS.get((folder_of(unit), folder_of(target)))
            if doors is not None and target not in doors:
                faults.append("%s includes %s; %s may include only %s of %s" % (
                    unit, target, folder_of(unit), ", ".join(sorted(doors)), folder_of(target)))
    for fault in faults:
        print(fault)
    if not faults:
        print("%d files in %d rooms, no circle of files or rooms, no include up the layers or past a door"
              % (len(graph), len(rooms)))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
