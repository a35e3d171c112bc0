#!/usr/bin/env python3
"""Checks the layering of src/: every #include "folder/..." of a source file must name its
own folder or a folder of a layer below its own.

    core      storage, archive, report          (plain C++, no Qt)
    kit       kit                               (the screen kit)
    features  access, database, clients, checkers, settings, attachments, backups
    shell     app

Core folders include only core folders, the kit includes core and kit, a feature includes
core, kit and itself (never another feature), the shell includes anything.
"""
import pathlib
import re
import sys

CORE = {"storage", "archive", "report"}
KIT = {"kit"}
FEATURES = {"access", "database", "clients", "checkers", "settings", "attachments", "backups"}
SHELL = {"app"}


def allowed(folder):
    if folder in CORE:
        return CORE
    if folder in KIT:
        return CORE | KIT
    if folder in FEATURES:
        return CORE | KIT | {folder}
    if folder in SHELL:
        return CORE | KIT | FEATURES | SHELL
    return None


def main(src):
    include = re.compile(r'^\s*#\s*include\s+"([^"/]+)/[^"]+"', re.M)
    faults = []
    for path in sorted(pathlib.Path(src).rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        folder = path.relative_to(src).parts[0]
        permitted = allowed(folder)
        if permitted is None:
            faults.append(f"{path}: folder '{folder}' belongs to no layer")
            continue
        for target in include.findall(path.read_text(encoding="utf-8")):
            if target not in permitted:
                faults.append(f"{path}: includes {target}/, above its layer or a sibling feature")
    for fault in faults:
        print(fault)
    print(f"{len(faults)} layering faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(pathlib.Path(sys.argv[1])))
