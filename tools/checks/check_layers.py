#!/usr/bin/env python3
"""Checks the layers of the source tree: a file includes only files of its
own layer or of the layers below it, and no core file includes Qt Widgets.

Usage: check_layers.py SRC_DIR [QT_WIDGETS_INCLUDE_DIR]
Prints one line per offending include and exits 1 when there is any.
"""

import os
import re
import sys

# Lowest first. One folder is one layer: a folder belongs to the longest
# prefix listed here; files of one rank may include files of a lower rank and
# files of their own layer, never files of another layer of the same rank or
# above. The windows stand on the shell; the media panes and the main window
# are the frame every feature acts on; the features stand side by side on
# them, and only the program's entry (app) knows them all.
LAYERS = [
    ("base", 0),
    ("av", 1),
    ("templates", 2),
    ("photos", 3),
    ("audio", 3),
    ("effects", 3),
    ("browser", 3),
    ("render/swf", 4),
    ("render/mcl", 4),
    ("render/overlays", 4),
    ("render/album", 5),
    ("session", 6),
    ("gui/shell", 7),
    ("gui/panes", 8),
    ("gui/main", 9),
    ("gui/media", 10),
    ("gui/lyrics", 10),
    ("gui/effects", 10),
    ("gui/templates", 10),
    ("gui/album", 10),
    ("gui/settings", 10),
    ("cli", 10),
    ("app", 11),  # the program's entry: builds the windows or runs the CLI
]

# Where Qt Widgets may be included: the windows and the program's entry.
def may_include_widgets(layer):
    return layer == "app" or layer.startswith("gui/")


INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def layer_of(relative_folder):
    """The (name, rank) of a folder relative to src/."""
    best = ("", 10)
    for name, rank in LAYERS:
        if name and (relative_folder == name or relative_folder.startswith(name + "/")):
            if len(name) > len(best[0]):
                best = (name, rank)
    return best


def widget_headers(folder):
    if folder and os.path.isdir(folder):
        return set(os.listdir(folder))
    return set()


def check(src, widgets):
    problems = []
    for dirpath, dirnames, files in os.walk(src):
        dirnames.sort()
        for name in sorted(files):
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.join(dirpath, name)
            folder = os.path.relpath(dirpath, src)
            folder = "" if folder == "." else folder
            own = layer_of(folder)
            if not own[0]:
                problems.append(f"{os.path.relpath(path, src)}: lies in no layer")
                continue
            with open(path, encoding="utf-8", errors="replace") as f:
                text = f.read()
            for kind, target in INCLUDE.findall(text):
                where = os.path.relpath(path, src)
                if kind == "<":
                    header = target.split("/")[-1]
                    if not may_include_widgets(own[0]) and (
                        target.startswith("QtWidgets") or header in widgets
                    ):
                        problems.append(f"{where}: includes Qt Widgets <{target}> in core code")
                    continue
                resolved = target
                if not os.path.exists(os.path.join(src, target)):
                    local = os.path.normpath(os.path.join(folder, target))
                    if os.path.exists(os.path.join(src, local)):
                        resolved = local
                    else:
                        continue  # not a file of ours
                theirs = layer_of(os.path.dirname(resolved))
                if theirs[0] == own[0]:
                    continue
                if theirs[1] >= own[1]:
                    problems.append(
                        f'{where}: includes "{target}" of the layer {theirs[0] or "none"}, '
                        f"which is not below {own[0]}"
                    )
    return problems


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    src = sys.argv[1]
    widgets = widget_headers(sys.argv[2] if len(sys.argv) > 2 else "")
    problems = check(src, widgets)
    for p in problems:
        print(p)
    if problems:
        print(f"{len(problems)} problem(s) in the layers")
        return 1
    print("layers: every include goes down")
    return 0


if __name__ == "__main__":
    sys.exit(main())
