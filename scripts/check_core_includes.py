"""Checks the #include lines of the core: no Qt header anywhere, system headers only in
core/platform, no cycle between folders (neither between the folders themselves, such as
tables/sorting and tables/records, nor between the top folders, such as tables and stock), and
from outside tables/fast only the headers that say they are its interface."""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)
QT = re.compile(r'^(Q[A-Za-z]|Qt[A-Za-z]*/)')
SYSTEM = re.compile(r'^(unistd\.h|fcntl\.h|sys/.*|dirent\.h|spawn\.h|pthread\.h|poll\.h|'
                    r'termios\.h|dlfcn\.h)$')


# A header of a folder kept behind its interface is its interface when it says so.
INTERFACE_FOLDERS = {'tables/fast': 'Interface of tables/fast'}


def sources(core):
    for folder, _, names in os.walk(core):
        for name in sorted(names):
            if name.endswith(('.h', '.cpp')):
                path = os.path.join(folder, name)
                yield os.path.relpath(path, core), open(path, encoding='latin-1').read()


def cycles(edges):
    """Strongly connected components of more than one folder (Tarjan)."""
    index, low, stack, on, found = {}, {}, [], set(), []

    def visit(v):
        index[v] = low[v] = len(index)
        stack.append(v)
        on.add(v)
        for w in sorted(edges.get(v, ())):
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            part = []
            while True:
                w = stack.pop()
                on.discard(w)
                part.append(w)
                if w == v:
                    break
            if len(part) > 1:
                found.append(sorted(part))

    for v in sorted(edges):
        if v not in index:
            visit(v)
    return found


def main(core):
    problems = []
    leaf, top, why = {}, {}, {}
    files = dict(sources(core))
    for rel, text in files.items():
        folder = os.path.dirname(rel)
        for kind, header in INCLUDE.findall(text):
            if QT.match(header):
                problems.append(f'core/{rel}: Qt header <{header}>')
            if kind == '<' and SYSTEM.match(header) and not rel.startswith('platform/'):
                problems.append(f'core/{rel}: system header <{header}> outside core/platform')
            if kind != '"' or '/' not in header:
                continue
            target = os.path.dirname(header)
            mark = INTERFACE_FOLDERS.get(target)
            if mark and folder != target and mark not in files.get(header, mark):
                problems.append(f'core/{rel}: "{header}" is not an interface header of {target}')
            if target != folder:
                leaf.setdefault(folder, set()).add(target)
                why.setdefault((folder, target), f'core/{rel} includes "{header}"')
            a, b = folder.split('/')[0], target.split('/')[0]
            if a != b:
                top.setdefault(a, set()).add(b)
                why.setdefault((a, b), f'core/{rel} includes "{header}"')
    for edges in (leaf, top):
        for part in cycles(edges):
            lines = [why[(a, b)] for a in part for b in sorted(edges.get(a, ())) if b in part]
            problems.append('folders that include each other: ' + ', '.join(part) + '\n    ' +
                            '\n    '.join(lines))
    for p in problems:
        print(p, file=sys.stderr)
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else 'core'))
