#!/usr/bin/env python3
"""Refuses an include that points up the layers of src/ or across between peers.

Layers, lowest first (a folder may include from its own folder and from lower layers):
  0  platform            controls, runtime interface, serial port, environment, numbers
  1  board, platform/qt  board protocol and number rules; the Qt side of the platform
  2  files               effect and settings files
  3  windows             window layouts, program-wide values, window loading
  4  link, inputs, leds, effects, settings, sounds, view
                         the subsystems: none includes another
  5  program             the wiring of the windows and the subsystems
  6  app                 main(), on Qt
Folders in one layer are peers and may not include each other. Everything but
platform/qt and app is the core library, which includes no Qt header. Only app (and
the tests and benchmarks, which are not checked here) may include platform/qt: it is
the production side of the platform, which the core never names.

Usage: check_layers.py SRC_DIR      checks the tree, exit status 1 on a violation
       check_layers.py --self-test  checks that a wrong include is refused
"""
import os
import re
import sys
import tempfile

LAYERS = {
    "platform": 0,
    "board": 1,
    "platform/qt": 1,
    "files": 2,
    "windows": 3,
    "link": 4,
    "inputs": 4,
    "leds": 4,
    "effects": 4,
    "settings": 4,
    "sounds": 4,
    "view": 4,
    "program": 5,
    "app": 6,
}
QT_FOLDERS = {"platform/qt", "app"}
# Folders that only the named folders (and the folder itself) may include from.
ONLY_FROM = {"platform/qt": {"app"}}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def folder_of(rel_path):
    """The layer table's folder that holds rel_path (longest match), or None."""
    parts = rel_path.split("/")
    for n in range(len(parts) - 1, 0, -1):
        candidate = "/".join(parts[:n])
        if candidate in LAYERS:
            return candidate
    return None


def check(src):
    problems = []
    for root, _, files in os.walk(src):
        for name in sorted(files):
            if not name.endswith((".h", ".cpp", ".h.in")):
                continue
            path = os.path.join(root, name)
            rel = os.path.relpath(path, src).replace(os.sep, "/")
            here = folder_of(rel)
            if here is None:
                problems.append(f"{rel}: folder is not in the layer table")
                continue
            with open(path, encoding="utf-8", errors="replace") as f:
                for number, line in enumerate(f, 1):
                    m = INCLUDE.match(line)
                    if not m:
                        continue
                    kind, target = m.groups()
                    where = f"{rel}:{number}"
                    if kind == "<":
                        if here not in QT_FOLDERS and re.match(r"Q|qt[A-Z]", target):
                            problems.append(f"{where}: the core includes Qt <{target}>")
                        continue
                    there = folder_of(target)
                    if there is None or there == here:
                        continue
                    if there in ONLY_FROM and here not in ONLY_FROM[there]:
                        problems.append(f"{where}: {here} includes {target}; only "
                                        f"{', '.join(sorted(ONLY_FROM[there]))} may include {there}")
                        continue
                    if LAYERS[there] > LAYERS[here]:
                        problems.append(f"{where}: {here} (layer {LAYERS[here]}) includes {target} "
                                        f"from higher layer {there} ({LAYERS[there]})")
                    elif LAYERS[there] == LAYERS[here]:
                        problems.append(f"{where}: {here} includes {target} from its peer {there}")
    return problems


def self_test():
    cases = [
        ("platform/a.h", '#include "windows/b.h"\n', True),
        ("link/a.cpp", '#include "leds/b.h"\n', True),
        ("windows/a.cpp", "#include <QString>\n", True),
        ("windows/a.cpp", '#include "platform/qt/values.h"\n', True),
        ("program/a.cpp", '#include "platform/qt/binder.h"\n', True),
        ("app/a.cpp", '#include "platform/qt/binder.h"\n#include "program/b.h"\n', False),
        ("link/a.cpp", '#include "windows/b.h"\n#include "link/c.h"\n#include <string>\n', False),
    ]
    failed = False
    for rel, text, refused in cases:
        with tempfile.TemporaryDirectory() as src:
            os.makedirs(os.path.join(src, os.path.dirname(rel)))
            with open(os.path.join(src, rel), "w") as f:
                f.write(text)
            got = bool(check(src))
            if got != refused:
                print(f"self-test: {rel} with {text.strip()!r}: expected "
                      f"{'refusal' if refused else 'acceptance'}")
                failed = True
    return 1 if failed else 0


def main(argv):
    if argv[1:] == ["--self-test"]:
        return self_test()
    if len(argv) != 2:
        print(__doc__)
        return 2
    problems = check(argv[1])
    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
