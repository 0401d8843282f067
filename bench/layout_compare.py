#!/usr/bin/env python3
"""Compares where two PDFs of the same document place its text: the first word of every line, the
word after every tab and every list marker, as offsets from the left margin in points.

usage: layout_compare.py TEXT REFERENCE.pdf REF_MARGIN OURS.pdf OUR_MARGIN [TOLERANCE]

TEXT is the document's text (tabs kept), which tells which words follow a tab. Prints one line per
position that differs by more than TOLERANCE and a summary line:
  compared N, within T pt M, largest D pt
Exit status 0 when every position is within the tolerance, 1 otherwise."""
import html
import re
import subprocess
import sys

LEADER = re.compile(r"[.\-_=]{3,}")
BULLETS = {"\u2022", "\u00b7", "\uf0b7"}


def pdf_words(path, margin):
    """Words as drawn: (page, top, x0, x1, text, bottom), x relative to the left margin."""
    out = subprocess.run(["pdftotext", "-bbox", path, "-"], capture_output=True, text=True, check=True).stdout
    words = []
    page = 0
    for line in out.splitlines():
        if "<page " in line:
            page += 1
            continue
        m = re.search(r'xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*)</word>', line)
        if m:
            x0, y0, x1, y1, text = m.groups()
            words.append((page, float(y0), float(x0) - margin, float(x1) - margin, html.unescape(text), float(y1)))
    return words


def in_lines(words):
    """Words in reading order whatever order the PDF drew them in: grouped into lines (words whose
    boxes share most of their height, so that small and large text on one baseline stay one line),
    each line from left to right. Each word gets the number of its line."""
    lines = []
    for word in sorted(words, key=lambda w: (w[0], w[1])):
        page, top, bottom = word[0], word[1], word[5]
        line = lines[-1] if lines else None
        if line and line["page"] == page:
            overlap = min(bottom, line["bottom"]) - max(top, line["top"])
            if overlap > 0.5 * min(bottom - top, line["bottom"] - line["top"]):
                line["words"].append(word)
                line["bottom"] = max(line["bottom"], bottom)
                continue
        lines.append({"page": page, "top": top, "bottom": bottom, "words": [word]})
    ordered = []
    for number, line in enumerate(lines):
        for word in sorted(line["words"], key=lambda w: w[2]):
            ordered.append(word[:5] + (number,))
    return ordered


def pieces(words):
    """Words split at tab leaders; a piece that is not at the start of a merged word has no known
    position (None), the last piece of a merged word keeps its right edge."""
    result = []
    for page, y, x0, x1, text, line in in_lines(words):
        parts = [p for p in LEADER.split(text) if p]
        for i, part in enumerate(parts):
            start = x0 if i == 0 else None
            end = x1 if i == len(parts) - 1 else None
            result.append({"line": line, "x": start, "end": end, "text": part, "merged": len(parts) > 1})
    return result


def tokens(text):
    """The document's words with what precedes them: a paragraph start, a tab, or a space."""
    result = []
    for paragraph in text.split("\n"):
        for m in re.finditer(r"(\s*)(\S+)", paragraph):
            before, word = m.groups()
            kind = "tab" if "\t" in before else ("start" if m.start() == 0 else "space")
            result.append((word, kind))
    return result


def locate(words, expected):
    """Assigns each expected token its PDF piece; other pieces (list markers) are returned apart."""
    placed, markers = [], []
    i = 0
    line = None
    for piece in pieces(words):
        if i < len(expected) and piece["text"] == expected[i][0]:
            # The first word of a line is the first text after its marker, if any.
            placed.append((expected[i], piece, piece["line"] != line))
            line = piece["line"]
            i += 1
        else:
            markers.append(("bullet" if piece["text"] in BULLETS else piece["text"], piece))
    return placed, markers


def main():
    text_path, ref_pdf, ref_margin, our_pdf, our_margin = sys.argv[1:6]
    tolerance = float(sys.argv[6]) if len(sys.argv) > 6 else 1.5
    with open(text_path, encoding="utf-8") as f:
        expected = tokens(f.read())
    ref, ref_markers = locate(pdf_words(ref_pdf, float(ref_margin)), expected)
    ours, our_markers = locate(pdf_words(our_pdf, float(our_margin)), expected)

    compared, within, largest = 0, 0, 0.0
    problems = []

    def compare(what, a, b):
        nonlocal compared, within, largest
        if a is None or b is None:
            return
        compared += 1
        d = abs(a - b)
        largest = max(largest, d)
        if d <= tolerance:
            within += 1
        else:
            problems.append(f"  {what}: reference {a:.1f}, ours {b:.1f} ({b - a:+.1f})")

    if len(ref) != len(ours):
        problems.append(f"  words found: reference {len(ref)}, ours {len(ours)} of {len(expected)}")
    for (token, r, r_first), (_, o, o_first) in zip(ref, ours):
        word, kind = token
        if r_first or o_first:
            compare(f"line start '{word}'", r["x"], o["x"])
        elif kind == "tab":
            compare(f"after tab '{word}'", r["x"], o["x"])
        if r["merged"] and r["end"] is not None:
            compare(f"end of '{word}' after a leader", r["end"], o["end"] if o["end"] is not None else None)
    ref_kinds = [m[0] for m in ref_markers]
    our_kinds = [m[0] for m in our_markers]
    if ref_kinds != our_kinds:
        problems.append(f"  markers: reference {ref_kinds}, ours {our_kinds}")
    for (kind, r), (_, o) in zip(ref_markers, our_markers):
        compare(f"marker {kind}", r["x"], o["x"])

    for line in problems:
        print(line)
    print(f"  compared {compared}, within {tolerance} pt {within}, largest {largest:.2f} pt")
    return 0 if not problems else 1


if __name__ == "__main__":
    sys.exit(main())
