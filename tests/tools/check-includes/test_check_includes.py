#!/usr/bin/env python3
"""The include check on small trees: a tree that keeps the rules passes, and each wrong
include added to it fails with its file, its reason and the rule table."""

import os
import subprocess
import sys
import tempfile
import unittest

CHECK = sys.argv.pop(1) if len(sys.argv) > 1 else "tools/check-includes/check_includes.py"

# A tree that keeps every rule, with the folders of every layer, tools and libmpegdll.
GOOD_TREE = {
    "src/base/Text.h": "#include <string>\n",
    "src/platform/Browser.h": '#include <string>\n#include "base/Text.h"\n',
    "src/platform/linux/FileRegistry.cpp": '#include "platform/Browser.h"\n#include <unistd.h>\n',
    "src/platform/linux/gtk/WebKitBrowser.h":
        '#include <gtk/gtk.h>\n#include <webkit2/webkit2.h>\n#include "platform/Browser.h"\n',
    "src/platform/linux/gtk/WebKitBrowser.cpp":
        '#include "platform/linux/gtk/WebKitBrowser.h"\n#include <X11/Xlib.h>\n',
    "src/settings/IniFile.h": '#include "base/Text.h"\n',
    "src/show/ShowSession.h":
        '#include "platform/Browser.h"\n#include "settings/IniFile.h"\n#include <libxml/tree.h>\n',
    "src/feeds/ticker/Ticker.cpp": '#include "show/ShowSession.h"\n#include "Ticker.h"\n',
    "src/feeds/ticker/Ticker.h": "",
    "src/music/Player.cpp": '#include "feeds/ticker/Ticker.h"\n',
    "src/app/main.cpp": '#include "LazyMainWindows.h"\n#include "platform/linux/FileRegistry.cpp"\n',
    "src/app/LazyMainWindows.h": "",
    "src/app/windows/Wiring.cpp":
        '#include <gtk/gtk.h>\n#include "platform/linux/gtk/WebKitBrowser.h"\n'
        '#include "show/ShowSession.h"\n',
    "tools/saverpack/main.cpp": '#include "SaverBuilder.h"\n#include "settings/IniFile.h"\n',
    "tools/saverpack/SaverBuilder.h": "",
    "tools/idle-watcher/main.cpp": "#include <X11/extensions/scrnsaver.h>\n",
    "libmpegdll/MpegDll.cpp": '#include <mpg123.h>\n#include "base/Text.h"\n',
}

# (added file, its text, the reason the check must give)
WRONG_INCLUDES = [
    # The adapters depending back up on the core: the composition root split in two.
    ("src/platform/linux/gtk/GtkMainWindows.cpp", '#include "show/ShowSession.h"\n',
     "an adapter includes only ports, adapters and base/"),
    ("src/platform/linux/Wired.cpp", '#include "app/windows/Wiring.cpp"\n',
     "an adapter includes only ports, adapters and base/"),
    ("src/platform/Preview.h", '#include "settings/IniFile.h"\n',
     "a port includes only ports and base/"),
    ("src/platform/Window.h", "#include <gtk/gtk.h>\n",
     "only platform/linux/ and app/ use GTK"),
    # The core seeing a toolkit or an adapter.
    ("src/show/Cover.cpp", "#include <gtk/gtk.h>\n", "only platform/linux/ and app/ use GTK"),
    ("src/feeds/fetch/Fetch.cpp", "  #  include <curl/curl.h>\n",
     "only platform/linux/ and app/ use GTK"),
    ("src/music/Sink.cpp", "#include <gst/gst.h>\n", "only platform/linux/ and app/ use GTK"),
    ("src/pictures/Screen.cpp", "#include <X11/Xlib.h>\n", "only platform/linux/ and app/ use GTK"),
    ("src/aatext/text/Web.cpp", "#include <webkit2/webkit2.h>\n",
     "only platform/linux/ and app/ use GTK"),
    ("src/show/Adapter.cpp", '#include "platform/linux/gtk/WebKitBrowser.h"\n',
     "the core reaches the platform through the ports only"),
    ("src/feeds/viewer/Viewer.cpp", '#include "app/LazyMainWindows.h"\n',
     "the core reaches the platform through the ports only"),
    # The bottom layer reaching up.
    ("src/base/Files.cpp", '#include "settings/IniFile.h"\n', "base/ includes nothing of ours"),
    ("src/base/Json.cpp", '#include "platform/Browser.h"\n', "base/ includes nothing of ours"),
    ("tools/feeddump/main.cpp", '#include "app/LazyMainWindows.h"\n',
     "tools and libraries do not include the wiring"),
]


def write_tree(root, files):
    for path, text in files.items():
        full = os.path.join(root, path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "w") as out:
            out.write(text)


def run_check(root):
    return subprocess.run([sys.executable, CHECK, root], capture_output=True, text=True)


class IncludeCheckTest(unittest.TestCase):
    def test_a_tree_that_keeps_the_rules_passes(self):
        with tempfile.TemporaryDirectory() as root:
            write_tree(root, GOOD_TREE)
            result = run_check(root)
            self.assertEqual(result.returncode, 0, result.stdout)
            self.assertEqual(result.stdout, "")

    def test_each_wrong_include_fails_with_its_reason_and_the_rules(self):
        for path, text, reason in WRONG_INCLUDES:
            with self.subTest(path=path), tempfile.TemporaryDirectory() as root:
                write_tree(root, {**GOOD_TREE, path: text})
                result = run_check(root)
                self.assertEqual(result.returncode, 1, result.stdout)
                self.assertIn(f"{path}:1: {text.strip()} ({reason}", result.stdout)
                self.assertIn("1 include(s) point the wrong way", result.stdout)
                self.assertIn("| base/ ", result.stdout, "the rule table is shown")

    def test_a_folder_without_src_is_an_error(self):
        with tempfile.TemporaryDirectory() as root:
            result = run_check(root)
            self.assertEqual(result.returncode, 2)
            self.assertIn("has no src folder", result.stderr)


if __name__ == "__main__":
    unittest.main()
