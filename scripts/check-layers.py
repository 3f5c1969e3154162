#!/usr/bin/env python3
"""Fails when an include in src/ points against the layering of docs/architecture.md.

Every folder of src/ is a layer. A file may include its own layer and the layers listed for it
below; nothing else of ours. System headers are checked too: the core (everything but the
adapters and the command-line tool) sees only the C++ standard library, because files, time,
threads and the operating system reach it through the port.
`--table` prints the include counts between layers instead of checking.
"""
import os
import re
import sys

HERE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SRC = os.path.join(HERE, "src")
if "--src" in sys.argv:
    SRC = os.path.abspath(sys.argv[sys.argv.index("--src") + 1])

MODELS = {"profiles", "keys", "macros"}
# Each layer and the layers it may include (its own is always allowed).
ALLOWED = {
    "platform": set(),
    "base": {"platform"},
    "ui": {"base", "platform"},
    "macros": {"base", "platform"},
    "keys": {"macros", "base", "platform"},
    "profiles": {"keys", "macros", "base", "platform"},
    "device": MODELS | {"base", "platform"},
    "device/sim": {"device"} | MODELS | {"base", "platform"},
    "views": {"ui", "device"} | MODELS | {"base", "platform"},
    "app": {"views", "ui", "device"} | MODELS | {"base", "platform"},
    "adapters/host": {"base", "platform"},
    "adapters/headless": {"adapters/host", "base", "platform"},
    "adapters/posix": {"adapters/host", "base", "platform"},
    # The Windows adapter holds the entry point, which wires the program and the simulated mouse.
    "adapters/win32": {"app", "views", "ui", "device/sim", "device"} | MODELS | {"base", "platform"},
    "cli": {"adapters/posix", "adapters/host", "device/sim", "device"} | MODELS | {"base", "platform"},
}
# Files that may reach past their layer's row, and why.
ENTRY_POINTS = {"adapters/win32/Main.cpp"}
WIN32_ONLY_OUTSIDE_ENTRY = {"app", "views", "ui", "device/sim", "device"} | MODELS

WINDOWS_HEADERS = re.compile(
    r"^(windows|winuser|wingdi|gdiplus|hidsdi|hidpi|setupapi|shellapi|shlobj|commdlg|commctrl|"
    r"urlmon|wininet|winhttp|bcrypt|ncrypt|dbt|objidl|oleacc|ole2|oleauto|uxtheme|dwmapi|"
    r"shellscalingapi|psapi|tlhelp32|winreg|shlwapi|wincrypt|knownfolders)\.h$",
    re.I,
)
POSIX_HEADERS = re.compile(r"^(unistd|poll|fcntl|signal|dirent|termios|pwd|png|sys/.*|linux/.*|openssl/.*)\.h$")
# Standard headers that would let the core do by itself what the port is for.
PORT_ONLY_STD = {"thread", "mutex", "condition_variable", "future", "filesystem", "fstream", "iostream", "chrono", "csignal", "ctime"}
SUBLAYERS = ("device/sim",)


def layer_of(rel):
    parts = rel.split("/")
    if parts[0] == "adapters":
        return "/".join(parts[:2])
    for sub in SUBLAYERS:
        if rel.startswith(sub + "/"):
            return sub
    return parts[0]


def includes(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        for number, line in enumerate(f, 1):
            m = re.match(r'\s*#\s*include\s*([<"])([^>"]+)[>"]', line)
            if m:
                yield number, m.group(1), m.group(2)


def resolve(rel_file, name):
    for candidate in (os.path.join(os.path.dirname(rel_file), name), name):
        candidate = os.path.normpath(candidate)
        if os.path.isfile(os.path.join(SRC, candidate)):
            return candidate
    return None


def system_problem(layer, name):
    if WINDOWS_HEADERS.match(name) and layer != "adapters/win32":
        return "a Windows header outside src/adapters/win32"
    if POSIX_HEADERS.match(name) and layer not in ("adapters/posix", "adapters/host", "adapters/headless", "cli"):
        return "an operating-system header outside the host adapters and the command-line tool"
    if name in PORT_ONLY_STD and not layer.startswith("adapters/") and layer != "cli":
        if layer == "platform" and name == "chrono":
            return None
        return f"<{name}> in the core: files, time and threads come through the port"
    return None


def main():
    problems, table = [], {}
    for root, _, files in os.walk(SRC):
        for f in sorted(files):
            if not f.endswith((".h", ".cpp")):
                continue
            rel = os.path.relpath(os.path.join(root, f), SRC).replace(os.sep, "/")
            layer = layer_of(rel)
            if layer not in ALLOWED:
                problems.append(f"src/{rel}: the folder {layer}/ is not in the layer table of scripts/check-layers.py")
                continue
            for number, kind, name in includes(os.path.join(root, f)):
                target = resolve(rel, name) if kind == '"' else None
                if target is None:
                    why = system_problem(layer, name) if kind == "<" else None
                    if why:
                        problems.append(f"src/{rel}:{number}: #include <{name}>: {why}")
                    continue
                other = layer_of(target)
                if other == layer:
                    continue
                table[(layer, other)] = table.get((layer, other), 0) + 1
                allowed = other in ALLOWED[layer]
                if layer == "adapters/win32" and other in WIN32_ONLY_OUTSIDE_ENTRY and rel not in ENTRY_POINTS:
                    allowed = False
                if not allowed:
                    problems.append(f"src/{rel}:{number}: {layer}/ includes {target} of {other}/, which it may not")
    if "--table" in sys.argv:
        for (a, b), n in sorted(table.items()):
            print(f"{a:20} -> {b:20} {n}")
        return 0
    if problems:
        print("Includes against the layering (docs/architecture.md, table in scripts/check-layers.py):")
        for p in problems:
            print("  " + p)
        return 1
    print(f"layers: {sum(table.values())} includes across layers follow the table")
    return 0


if __name__ == "__main__":
    sys.exit(main())
