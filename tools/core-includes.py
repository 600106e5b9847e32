#!/usr/bin/env python3
"""The include graph of src/core's folders: which folder includes which, and the cycles.

    /usr/bin/python3 tools/core-includes.py [CORE_DIR]

Files at the top of src/core (Session, Errors, CheckOutcome ...) are the shared base every folder
may use; they are left out of the graph. Exits 1 while a cycle remains.
"""
import collections
import os
import re
import sys

root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "src", "core")
folders = {d for d in os.listdir(root) if os.path.isdir(os.path.join(root, d))}
edges = collections.defaultdict(lambda: collections.defaultdict(list))
for folder in sorted(folders):
    for directory, _, files in os.walk(os.path.join(root, folder)):
        for name in files:
            if not name.endswith((".cpp", ".h")):
                continue
            path = os.path.join(directory, name)
            with open(path, encoding="utf-8", errors="replace") as source:
                for line in source:
                    match = re.match(r'#include "([^"/]+)/', line)
                    if match and match.group(1) in folders and match.group(1) != folder:
                        edges[folder][match.group(1)].append(os.path.relpath(path, root))

for folder in sorted(folders):
    print(f"{folder} -> {', '.join(sorted(edges[folder])) or '-'}")

# Strongly connected components (Tarjan): each with more than one folder is a cycle.
index, low, stack, on_stack, cycles = {}, {}, [], set(), []
def visit(v):
    index[v] = low[v] = len(index)
    stack.append(v)
    on_stack.add(v)
    for w in edges[v]:
        if w not in index:
            visit(w)
            low[v] = min(low[v], low[w])
        elif w in on_stack:
            low[v] = min(low[v], index[w])
    if low[v] == index[v]:
        component = []
        while True:
            w = stack.pop()
            on_stack.discard(w)
            component.append(w)
            if w == v:
                break
        if len(component) > 1:
            cycles.append(sorted(component))
for folder in sorted(folders):
    if folder not in index:
        visit(folder)
for cycle in cycles:
    inner = [f"{a} -> {b} ({edges[a][b][0]})" for a in cycle for b in cycle if b in edges[a]]
    print("cycle: " + "; ".join(inner))
sys.exit(1 if cycles else 0)
