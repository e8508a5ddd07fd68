#!/usr/bin/env python3
"""Reports include cycles among the file pairs of source folders (formats/ and data/ by default).

x.h and x.cpp of one folder are one node; an edge runs from a node to every node whose header one
of its files includes with #include "...". A header that lies in none of the folders (a system or
a library header) is left out. Prints each cycle's nodes and the includes that close it, and exits
with status 1 when there is one.

    scripts/includecycles.py [FOLDER...]
"""

import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def graph(folders):
    nodes = {}  # header name -> node "folder/stem"
    files = {}  # node -> its files
    for folder in folders:
        for path in sorted(folder.glob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            node = f"{folder.name}/{path.stem}"
            files.setdefault(node, []).append(path)
            if path.suffix == ".h":
                nodes[path.name] = node
    edges = {node: {} for node in files}
    for node, paths in files.items():
        for path in paths:
            for header in INCLUDE.findall(path.read_text(encoding="utf-8")):
                target = nodes.get(pathlib.PurePath(header).name)
                if target is not None and target != node:
                    edges[node].setdefault(target, f"{path.name} -> {header}")
    return edges


def cycles(edges):
    """The strongly connected components of more than one node (Tarjan)."""
    index, low, stack, on_stack, found = {}, {}, [], set(), []

    def visit(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        on_stack.add(node)
        for target in sorted(edges[node]):
            if target not in index:
                visit(target)
                low[node] = min(low[node], low[target])
            elif target in on_stack:
                low[node] = min(low[node], index[target])
        if low[node] == index[node]:
            component = []
            while True:
                top = stack.pop()
                on_stack.discard(top)
                component.append(top)
                if top == node:
                    break
            if len(component) > 1:
                found.append(sorted(component))

    sys.setrecursionlimit(10000)
    for node in sorted(edges):
        if node not in index:
            visit(node)
    return found


def main():
    root = pathlib.Path(__file__).resolve().parent.parent
    folders = [pathlib.Path(a).resolve() for a in sys.argv[1:]] or [root / "formats", root / "data"]
    edges = graph(folders)
    found = cycles(edges)
    for component in found:
        print("cycle: " + ", ".join(component))
        members = set(component)
        for node in component:
            for target, include in sorted(edges[node].items()):
                if target in members:
                    print(f"  {include}")
    count = sum(len(e) for e in edges.values())
    print(f"{len(edges)} file pairs, {count} includes between them, {len(found)} cycles")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
