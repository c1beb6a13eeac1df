#!/usr/bin/env python3
"""Fails when a file includes one from a layer above its own.

core/ includes nothing from editor/, windows/ or vst2/ (the editor window
shell, which the processor creates, excepted); editor/ and windows/ include
nothing from vst2/.

    python3 tools/check_layers.py [root]   # checks the tree (default: the repository)
    python3 tools/check_layers.py --self-test
"""
import os
import re
import sys
import tempfile

FORBIDDEN = {
    "core": ("editor", "windows", "vst2"),
    "editor": ("vst2",),
    "windows": ("vst2",),
}
EXCEPTED = {"core/VellixAudioProcessorEditor.h", "core/VellixAudioProcessorEditor.cpp"}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
SOURCES = (".h", ".hpp", ".cpp", ".mm")


def top(path):
    return path.split("/", 1)[0]


def resolve(root, including, included):
    """The included file as a path from the root: next to the includer first, then from the root."""
    beside = os.path.normpath(os.path.join(os.path.dirname(including), included))
    if included.startswith(".") or os.path.exists(os.path.join(root, beside)):
        return beside.replace(os.sep, "/")
    return os.path.normpath(included).replace(os.sep, "/")


def violations(root):
    found = []
    for layer, banned in FORBIDDEN.items():
        for folder, _, files in os.walk(os.path.join(root, layer)):
            for name in sorted(files):
                if not name.endswith(SOURCES):
                    continue
                path = os.path.relpath(os.path.join(folder, name), root).replace(os.sep, "/")
                if path in EXCEPTED:
                    continue
                with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
                    for number, line in enumerate(f, 1):
                        match = INCLUDE.match(line)
                        if match and top(resolve(root, path, match.group(1))) in banned:
                            found.append(f"{path}:{number}: includes {match.group(1)}")
    return found


def self_test():
    cases = [
        ("core/a.cpp", '#include "editor/MainComp.h"', True),
        ("core/midi/a.cpp", '#include "vst2/VstAbi.h"', True),
        ("core/midi/a.cpp", '#include "../../windows/x.h"', True),
        ("core/midi/a.cpp", '#  include "windows/library/x.h"', True),
        ("editor/a.cpp", '#include "vst2/AudioEffect.h"', True),
        ("windows/setup/a.h", '#include "vst2/AudioEffect.h"', True),
        ("core/VellixAudioProcessorEditor.cpp", '#include "editor/MainComp.h"', False),
        ("core/a.cpp", '#include "core/midi/MidiCntrState.h"', False),
        ("core/a.cpp", '#include <editor/MainComp.h>', False),
        ("core/a.cpp", '// #include "editor/MainComp.h" once', False),
        ("editor/a.cpp", '#include "core/midi/HubEvents.h"', False),
        ("vst2/a.cpp", '#include "editor/MainComp.h"', False),
    ]
    failures = 0
    for path, line, caught in cases:
        with tempfile.TemporaryDirectory() as root:
            for folder in ("editor", "windows/library", "vst2"):
                os.makedirs(os.path.join(root, folder), exist_ok=True)
            os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
            with open(os.path.join(root, path), "w") as f:
                f.write(line + "\n")
            if bool(violations(root)) != caught:
                print(f"self-test: {path} with {line!r} should {'' if caught else 'not '}be caught")
                failures += 1
    return failures


def main():
    if sys.argv[1:] == ["--self-test"]:
        return 1 if self_test() else 0
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    found = violations(root)
    for v in found:
        print(v)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
