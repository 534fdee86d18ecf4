#!/usr/bin/env python3
"""Runs feeddump on every feed of a folder and checks that it prints one valid JSON
document each time, exits 0 or 1 (1 exactly when "Error" is set) and ends in time.

Usage: feeddump_corpus.py FEEDDUMP CORPUS. $SAVER_FEED_CORPUS, when set, names the corpus
instead and must be a folder. Without a corpus the run is skipped: exit status 77."""

SKIPPED = 77
import json
import os
import pathlib
import subprocess
import sys


def check(feeddump, path):
    run = subprocess.run([feeddump, str(path)], capture_output=True, timeout=20)
    if run.returncode not in (0, 1):
        return f"exit status {run.returncode}: {run.stderr.decode(errors='replace')}"
    try:
        dump = json.loads(run.stdout)
    except ValueError as error:
        return f"invalid JSON: {error}"
    if (dump["Error"] is not None) != (run.returncode == 1):
        return f"exit status {run.returncode} with Error {dump['Error']!r}"
    return None


def main():
    feeddump, corpus = sys.argv[1], pathlib.Path(sys.argv[2])
    named = os.environ.get("SAVER_FEED_CORPUS")
    if named:
        corpus = pathlib.Path(named)
        if not corpus.is_dir():
            print(f"feeddump: SAVER_FEED_CORPUS is no folder: {corpus}")
            return 1
    elif not corpus.is_dir():
        print(f"feeddump: skipped, no feed corpus at {corpus} (set SAVER_FEED_CORPUS to one)")
        return SKIPPED
    feeds = sorted(corpus.rglob("*.xml"))
    faults = [(path, fault) for path in feeds if (fault := check(feeddump, path))]
    for path, fault in faults:
        print(f"{path}: {fault}")
    print(f"feeddump: {len(feeds) - len(faults)} passed, {len(faults)} failed")
    return 1 if faults or not feeds else 0


if __name__ == "__main__":
    sys.exit(main())
