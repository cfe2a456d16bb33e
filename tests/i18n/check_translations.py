#!/usr/bin/env python3
"""The French and German translations are complete and match the program's texts.

usage: check_translations.py LUPDATE SOURCE_LIST TS_FILE...

lupdate reads every tr() of the program's sources into copies of the .ts files: a text the sources hold and a
.ts file lacks comes back unfinished, so no unfinished entry means every text is translated. Each translation keeps
its source's placeholders (%1 ...) and its shortcut marker (&). The windows' sources set no text from a bare
literal (a text outside tr() that lupdate cannot see).
"""
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from pathlib import Path

# Texts that are the same in every language: the program's name (the board's title adds the home team's).
SAME_EVERYWHERE = {"Rinkmaster", "Rinkmaster - "}
# Calls that put a text on a window; a literal among their arguments escaped tr().
TEXT_CALLS = re.compile(
    r"\b(setText|setWindowTitle|setPlainText|setToolTip|addTab|addItems?|QPushButton|QLabel|QRadioButton|"
    r"QCheckBox|QGroupBox|QMessageBox|addButton|button|label|frame|askYesNo|information|warning|critical|question)\s*\(([^;]*)")
LITERAL = re.compile(r'(?:QStringLiteral\(\s*|u)"((?:[^"\\]|\\.)*)"(?:_s)?')


def fail(problems):
    for p in problems:
        print("FAIL:", p)
    sys.exit(1)


def messages(path):
    root = ET.parse(path).getroot()
    for context in root.iter("context"):
        name = context.findtext("name")
        for m in context.iter("message"):
            yield name, m


def main():
    lupdate, source_list, ts_files = sys.argv[1], sys.argv[2], sys.argv[3:]
    problems = []
    sources = [Path(line.strip()) for line in Path(source_list).read_text().splitlines() if line.strip()]

    with tempfile.TemporaryDirectory() as tmp:
        copies = []
        for ts in ts_files:
            copy = Path(tmp) / Path(ts).name
            shutil.copy(ts, copy)
            copies.append(copy)
        result = subprocess.run([lupdate, "-no-obsolete", "-locations", "none", "@" + source_list, "-ts"]
                                + [str(c) for c in copies], capture_output=True, text=True)
        if result.returncode != 0:
            fail([f"lupdate failed: {result.stdout}{result.stderr}"])
        print(result.stdout.strip())
        for ts, copy in zip(ts_files, copies):
            count = 0
            for context, m in messages(copy):
                source = m.findtext("source") or ""
                translation = m.find("translation")
                text = translation.text or "" if translation is not None else ""
                kind = translation.get("type") if translation is not None else None
                count += 1
                if kind in ("unfinished", "vanished", "obsolete"):
                    problems.append(f"{Path(ts).name}: {context}: '{source}' is {kind}")
                    continue
                if not text.strip():
                    problems.append(f"{Path(ts).name}: {context}: '{source}' has an empty translation")
                if sorted(re.findall(r"%\d", source)) != sorted(re.findall(r"%\d", text)):
                    problems.append(f"{Path(ts).name}: {context}: '{text}' does not keep the placeholders of '{source}'")
                if ("&" in source.replace("&&", "")) != ("&" in text.replace("&&", "")):
                    problems.append(f"{Path(ts).name}: {context}: '{text}' and '{source}' differ in their shortcut")
            if count == 0:
                problems.append(f"{Path(ts).name}: no texts")
            print(f"{Path(ts).name}: {count} texts")
            # The committed file is what lupdate writes: nothing waits to be merged.
            if Path(ts).read_text(encoding="utf-8") != copy.read_text(encoding="utf-8"):
                problems.append(f"{Path(ts).name} is not up to date: build the target update_translations")

    for source in sources:
        if source.suffix != ".cpp":
            continue
        for number, line in enumerate(source.read_text(encoding="utf-8").splitlines(), 1):
            for call in TEXT_CALLS.finditer(line):
                for literal in LITERAL.finditer(call.group(2)):
                    text = literal.group(1)
                    if re.search(r"[A-Za-z]{2}", text) and text not in SAME_EVERYWHERE:
                        problems.append(f"{source.name}:{number}: '{text}' is shown without tr()")
    if problems:
        fail(problems)
    print("PASS")


if __name__ == "__main__":
    main()
