#!/usr/bin/env python3
"""Writes tests/common/expected_texts.h from the localised text tables.

Usage: gen_expected_texts.py REQUIREMENTS.md [OUTPUT.h]

Reads the section headed "Localised texts" of the requirements document:
the table of string-table ids by language, the tables of texts, and the
notes on characters that the tables cannot show plainly. The expected
texts are taken from the document rather than from res/strings.rc, so the
string-table test compares two independent transcriptions.
"""

import re
import sys

KINDS = ["Progress text", "Completion title", "Finish hint",
         "Finish label", "Back label", "Cancel label"]

LANGUAGES = [
    "Arabic",
    "Chinese, traditional",
    "Chinese, simplified",
    "Czech",
    "Danish",
    "German",
    "Spanish",
    "Finnish",
    "French",
    "Hungarian",
    "Italian",
    "Japanese",
    "Korean",
    "Dutch",
    "Norwegian",
    "Polish",
    "Portuguese",
    "Romanian",
    "Russian",
    "Swedish",
    "Turkish",
    "Any other language",
]

NUMBER_WORDS = {"one": 1, "two": 2, "three": 3}


def fail(message):
    sys.exit("gen_expected_texts: " + message)


def section_lines(text):
    lines = text.split("\n")
    start = None
    for i, line in enumerate(lines):
        if line.startswith("# ") and line.rstrip().endswith("Localised texts"):
            start = i + 1
            break
    if start is None:
        fail("no section headed 'Localised texts'")
    end = len(lines)
    for i in range(start, len(lines)):
        if lines[i].startswith("# "):
            end = i
            break
    return lines[start:end]


def split_row(line):
    # "| a | b |" -> ["a", "b"]; cells keep inner spaces, lose the padding.
    # The texts hold no "|", so a plain split is exact.
    cells = line.strip()
    if not (cells.startswith("|") and cells.endswith("|")):
        fail("malformed table row: " + line)
    return [cell[1:-1] if cell.startswith(" ") and cell.endswith(" ") else cell
            for cell in cells[1:-1].split("|")]


def tables(lines):
    result = []
    current = []
    for line in lines + [""]:
        if line.startswith("|"):
            current.append(line)
        elif current:
            header = split_row(current[0])
            rows = [split_row(row) for row in current[2:]]
            result.append((header, rows))
            current = []
    return result


def language_of(cell):
    # "Arabic (`LANG_ARABIC` 0x01)" -> "Arabic"
    return cell.split(" (", 1)[0]


def unquote(cell):
    if len(cell) < 2 or cell[0] != '"' or cell[-1] != '"':
        fail("text cell not in double quotes: " + cell)
    return cell[1:-1]


def read_tables(lines):
    ids = {}     # (language, kind) -> id
    texts = {}   # (language, kind) -> text
    for header, rows in tables(lines):
        if header[0] != "Language":
            continue
        kinds = header[1:]
        for kind in kinds:
            if kind not in KINDS:
                fail("unknown column: " + kind)
        for row in rows:
            if len(row) != len(header):
                fail("row has %d cells, header %d: %r" % (len(row), len(header), row))
            language = language_of(row[0])
            for kind, cell in zip(kinds, row[1:]):
                key = (language, kind)
                if cell.isdigit():
                    target, value = ids, int(cell)
                else:
                    target, value = texts, unquote(cell)
                if key in target:
                    fail("two cells for %s, %s" % key)
                target[key] = value
    return ids, texts


def notes(lines):
    for i, line in enumerate(lines):
        if line.startswith("Exact characters that the tables cannot show plainly"):
            bullets = []
            for following in lines[i + 1:]:
                if following.startswith("- "):
                    bullets.append(following[2:])
                elif following.strip() and bullets:
                    break
            return bullets
    fail("no notes on exact characters")


def apply_notes(bullets, ids, texts):
    by_id = {number: key for key, number in ids.items()}
    applied = 0
    prefix_rule = re.compile(
        r"\(id (\d+)\) begins with (\w+) U\+([0-9A-F]{4,5})\b")
    for bullet in bullets:
        for match in prefix_rule.finditer(bullet):
            number = int(match.group(1))
            count = NUMBER_WORDS[match.group(2)]
            mark = chr(int(match.group(3), 16))
            key = by_id[number]
            if texts[key].startswith(mark):
                fail("id %d already begins with U+%04X" % (number, ord(mark)))
            texts[key] = mark * count + texts[key]
            applied += 1
    if applied == 0:
        fail("no leading-character note found")


def check(ids, texts):
    expected_keys = {(language, kind) for language in LANGUAGES for kind in KINDS}
    if set(ids) != expected_keys:
        fail("id table rows differ: %r" % sorted(set(ids) ^ expected_keys))
    if set(texts) != expected_keys:
        fail("text tables differ: %r" % sorted(set(texts) ^ expected_keys))
    if len(set(ids.values())) != len(ids):
        fail("an id is used twice")
    for key, number in ids.items():
        if not 0 < number < 65536:
            fail("id out of range: %d" % number)

    # What the notes promise, checked against what was read.
    for kind in KINDS:
        text = texts[("Swedish", kind)]
        if not text.endswith(" ") or text.endswith("  "):
            fail("Swedish %s does not end in exactly one space" % kind)
    if texts[("Norwegian", "Cancel label")].endswith(" "):
        fail("Norwegian Cancel label ends in a space")
    hint = texts[("Chinese, simplified", "Finish hint")]
    if "\u201c" not in hint or "\u201d" not in hint or '"' in hint:
        fail("simplified Chinese hint lacks typographic quotes")
    for language in ["Arabic", "German", "Russian", "Korean", "Chinese, traditional"]:
        if '"' not in texts[(language, "Finish hint")]:
            fail("%s hint lacks plain quotation marks" % language)
    for language in LANGUAGES:
        if texts[(language, "Progress text")].count("%s") != 1:
            fail("%s progress text needs exactly one %%s" % language)
    if not texts[("Arabic", "Progress text")].startswith("\u200f\u200f"):
        fail("Arabic progress text lacks its right-to-left marks")


def c_literal(text):
    out = []
    for ch in text:
        code = ord(ch)
        if code > 0xFFFF:
            fail("character beyond the BMP: U+%X" % code)
        if ch == '"' or ch == "\\":
            out.append("\\" + ch)
        elif 0x20 <= code < 0x7F:
            out.append(ch)
        else:
            out.append("\\u%04x" % code)
    return 'L"' + "".join(out) + '"'


def render(ids, texts):
    out = [
        "// Generated by tools/gen_expected_texts.py from the localised text",
        "// tables; do not edit. Every non-ASCII character is a \\u escape so the",
        "// expected texts do not depend on how a source file is decoded.",
        "#pragma once",
        "",
        "struct ExpectedText {",
        "    int id;",
        "    const wchar_t* text;",
        "};",
        "",
        "inline constexpr ExpectedText kExpectedTexts[] = {",
    ]
    for language in LANGUAGES:
        out.append("    // %s" % language)
        for kind in KINDS:
            key = (language, kind)
            out.append("    {%d, %s}," % (ids[key], c_literal(texts[key])))
    out.append("};")
    out.append("")
    return "\n".join(out)


def main(argv):
    if len(argv) not in (2, 3):
        sys.exit(__doc__)
    with open(argv[1], encoding="utf-8") as source:
        lines = section_lines(source.read())
    ids, texts = read_tables(lines)
    apply_notes(notes(lines), ids, texts)
    check(ids, texts)
    header = render(ids, texts)
    if len(argv) == 3:
        with open(argv[2], "w", encoding="ascii", newline="\n") as target:
            target.write(header)
    else:
        sys.stdout.write(header)


if __name__ == "__main__":
    main(sys.argv)
