#!/usr/bin/env python3
"""Checks that the product's includes run one way.

Folders form layers: a file may include its own folder and the folders
below it (ALLOWED), never one above. Inside a folder, no two units include
each other, directly or round a longer loop; a unit is a file's path without
its extension, so x.h and x.cpp side by side are one (a backend's x.cpp is
not the same unit as the interface include/platform/x.h it implements).
Prints each offence and exits 1 when there is any.

    tools/check_layers.py [repository root]
"""

import os
import re
import sys

ALLOWED = {
    "app": {"conditions", "report", "aggregation", "host", "shared", "res", "platform"},
    "conditions": {"host", "shared", "res", "platform"},
    "report": {"aggregation", "host", "shared", "platform"},
    "aggregation": {"host", "shared", "platform"},
    "host": {"platform"},
    "shared": set(),
    "res": {"platform"},
    "platform": set(),
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


# Where a quoted include is looked for, after the including file's folder:
# the include directories of the build.
SEARCH = ["", "platform/include", "platform/headless_windows/include", "res"]


def unit(path):
    return os.path.splitext(path)[0]


def resolve(root, including, inc):
    for base in [os.path.dirname(including)] + SEARCH:
        candidate = os.path.normpath(os.path.join(base, inc))
        if os.path.isfile(os.path.join(root, candidate)):
            return candidate
    return None


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    # The files on disk, not git's list: a source tree without git is checked too.
    files = sorted(
        os.path.relpath(os.path.join(folder, name), root)
        for top in ALLOWED
        for folder, _, names in os.walk(os.path.join(root, top))
        for name in names
    )
    offences = []
    graph = {}  # (folder, unit) -> the units of the same folder it includes
    for path in files:
        if not path.endswith((".h", ".cpp")):
            continue
        folder = path.split("/")[0]
        with open(os.path.join(root, path), encoding="utf-8") as f:
            includes = INCLUDE.findall(f.read())
        node = graph.setdefault((folder, unit(path)), set())
        for inc in includes:
            found = resolve(root, path, inc)
            if found is None:
                continue  # generated in the build tree (version.h)
            target = found.split("/")[0]
            if target != folder and target not in ALLOWED[folder]:
                offences.append(f"{path}: includes {inc}, a layer above {folder}/")
            elif target == folder and unit(found) != unit(path):
                node.add(unit(found))

    # A loop inside a folder: depth-first search for a back edge.
    state = {}

    def visit(key, trail):
        state[key] = 1
        for nxt in sorted(graph.get(key, ())):
            other = (key[0], nxt)
            if state.get(other) == 1:
                loop = trail[trail.index(nxt):] + [nxt] if nxt in trail else [key[1], nxt]
                offences.append(f"{key[0]}/: units include each other: {' -> '.join(loop)}")
            elif other in graph and other not in state:
                visit(other, trail + [nxt])
        state[key] = 2

    for key in sorted(graph):
        if key not in state:
            visit(key, [key[1]])

    for line in offences:
        print(line)
    return 1 if offences else 0


if __name__ == "__main__":
    sys.exit(main())
