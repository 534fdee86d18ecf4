#!/usr/bin/env python3
"""Checks that the includes of the source tree point down the layers only.

Usage: check_includes.py [ROOT]   (ROOT is the project folder; default: the current one)

Reads every C and C++ file under ROOT/src, ROOT/tools and ROOT/libmpegdll, and prints one
line per include that breaks a rule, with the rule table after them. Exits 0 when none
does, 1 when one does, 2 when ROOT has no src folder.
"""

import os
import re
import sys

# The libraries only the adapters (src/platform/linux) and the wiring (src/app) may use.
PLATFORM_LIBRARIES = ("gtk/", "gdk/", "gdk-pixbuf/", "webkit2/", "webkit/", "JavaScriptCore/",
                      "jsc/", "X11/", "curl/", "gst/")

RULES = """\
Include rules (folders under src/ unless said otherwise):
| files                          | may include from this project                      | may not include                      |
|--------------------------------|----------------------------------------------------|--------------------------------------|
| base/                          | base/ only                                         | any other folder of ours             |
| platform/*.h (the ports)       | platform/*.h, base/                                | a core folder, app/, platform/linux/, GTK, GDK, WebKit, X11, curl, GStreamer |
| platform/linux/** (adapters)   | platform/ (ports and adapters), base/              | a core folder, app/                  |
| every other folder (the core)  | core folders, platform/*.h (ports), base/          | app/, platform/linux/, GTK, GDK, WebKit, X11, curl, GStreamer |
| app/ (the wiring)              | everything                                         |                                      |
| tools/*, libmpegdll/           | everything but app/                                | app/                                 |
The core is every folder under src/ but base/, platform/ and app/ (startup, settings,
pictures, show, feeds, aatext, music, ...). Only app/ knows both the core and the adapters."""

SOURCE_SUFFIXES = (".h", ".hpp", ".c", ".cc", ".cpp")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def layer_of(relative):
    """The layer of a file, from its path relative to the project folder."""
    parts = relative.split("/")
    if parts[0] in ("tools", "libmpegdll"):
        return "outside"
    folder = parts[1] if len(parts) > 2 else ""
    if folder == "base":
        return "base"
    if folder == "app":
        return "app"
    if folder == "platform":
        return "adapter" if parts[2] == "linux" else "port"
    return "core"


def target_of(name, quoted, including_dir, root):
    """The layer a quoted include names, or None for what is not under src/ (a system
    header, a file of a tool)."""
    if not quoted:
        return None
    beside = os.path.normpath(os.path.join(including_dir, name))
    if os.path.exists(os.path.join(root, beside)):
        return layer_of(beside) if beside.startswith("src/") else None
    if os.path.isdir(os.path.join(root, "src", name.split("/")[0])) and "/" in name:
        return layer_of("src/" + name)
    return None


def breaks(layer, target, name, quoted):
    """The reason an include breaks a rule, or None."""
    library = not quoted and name.startswith(PLATFORM_LIBRARIES)
    if layer == "base" and target not in (None, "base"):
        return "base/ includes nothing of ours"
    if layer == "port" and target in ("core", "app", "adapter"):
        return "a port includes only ports and base/"
    if layer == "adapter" and target in ("core", "app"):
        return "an adapter includes only ports, adapters and base/"
    if layer == "core" and target in ("app", "adapter"):
        return "the core reaches the platform through the ports only"
    if layer == "outside" and target == "app":
        return "tools and libraries do not include the wiring"
    if layer in ("base", "port", "core") and library:
        return "only platform/linux/ and app/ use GTK, GDK, WebKit, X11, curl or GStreamer"
    return None


def source_files(root):
    for top in ("src", "tools", "libmpegdll"):
        for folder, _, files in os.walk(os.path.join(root, top)):
            for file in sorted(files):
                if file.endswith(SOURCE_SUFFIXES):
                    yield os.path.relpath(os.path.join(folder, file), root)


def check(root):
    """Every broken rule as 'file:line: #include ... (reason)'."""
    problems = []
    for relative in sorted(source_files(root)):
        layer = layer_of(relative)
        with open(os.path.join(root, relative), encoding="utf-8", errors="replace") as source:
            for number, line in enumerate(source, 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                quoted = match.group(1) == '"'
                name = match.group(2)
                target = target_of(name, quoted, os.path.dirname(relative), root)
                reason = breaks(layer, target, name, quoted)
                if reason:
                    problems.append(f"{relative}:{number}: {line.strip()} ({reason})")
    return problems


def main(arguments):
    if len(arguments) > 1 or (arguments and arguments[0] in ("-h", "--help")):
        print(__doc__.strip())
        print()
        print(RULES)
        return 0 if arguments and arguments[0] in ("-h", "--help") else 2
    root = arguments[0] if arguments else "."
    if not os.path.isdir(os.path.join(root, "src")):
        print(f"check_includes: {root} has no src folder", file=sys.stderr)
        return 2
    problems = check(root)
    if not problems:
        return 0
    print(f"{len(problems)} include(s) point the wrong way:")
    for problem in problems:
        print("  " + problem)
    print()
    print(RULES)
    return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
