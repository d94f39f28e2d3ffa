#!/usr/bin/env python3
"""Fails when a message catalogue is behind the sources.

Runs lupdate over the sources into copies of the catalogues, so the repository stays untouched,
then reports every message without a finished translation and every translation whose
placeholders (%1, %2, ...) differ from its source text.

usage: check_catalogues.py LUPDATE SOURCE_DIR CATALOGUE.ts...
"""
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from pathlib import Path

LAYERS = ["platform", "support", "db", "pages", "report", "filters", "preview", "app", "tools"]


def placeholders(text):
    return sorted(set(re.findall(r"%\d+", text or "")))


def problems_of(catalogue):
    found = []
    for context in ET.parse(catalogue).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source")
            translation = message.find("translation")
            kind = translation.get("type", "") if translation is not None else "missing"
            where = f"{catalogue.name}: [{name}] {source!r}"
            if kind:
                found.append(f"{where}: translation is {kind or 'missing'}")
            elif not (translation.text or "").strip():
                found.append(f"{where}: translation is empty")
            elif placeholders(source) != placeholders(translation.text):
                found.append(f"{where}: placeholders {placeholders(translation.text)} instead of "
                             f"{placeholders(source)}")
    return found


def main():
    lupdate, source_dir, catalogues = sys.argv[1], Path(sys.argv[2]), [Path(p) for p in sys.argv[3:]]
    if not catalogues:
        sys.exit("no catalogues given")
    problems = []
    with tempfile.TemporaryDirectory() as temp:
        copies = []
        for catalogue in catalogues:
            copy = Path(temp) / catalogue.name
            shutil.copy(catalogue, copy)
            copies.append(copy)
        run = subprocess.run(
            [lupdate, "-no-obsolete", "-locations", "none", *[str(source_dir / l) for l in LAYERS],
             "-ts", *map(str, copies)],
            capture_output=True, text=True)
        if run.returncode != 0:
            sys.exit(f"lupdate failed:\n{run.stdout}{run.stderr}")
        counts = re.findall(r"Found (\d+) source text", run.stdout)
        if not counts or int(counts[0]) == 0:
            sys.exit(f"lupdate found no messages in {source_dir}:\n{run.stdout}")
        for copy in copies:
            problems += problems_of(copy)
    for problem in problems:
        print(problem)
    if problems:
        print(f"{len(problems)} message(s) lack a finished translation; run "
              "`cmake --build build --target update_translations` and translate them")
        return 1
    print(f"{len(catalogues)} catalogues complete, {counts[0]} messages each")
    return 0


if __name__ == "__main__":
    sys.exit(main())
