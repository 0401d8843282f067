#!/usr/bin/env python3
"""The RTF we write, read by other word processors: a document with character formats, indents,
bullets, numbers, tab stops of every kind and a default tab width goes through our converter
(read and written again), then LibreOffice (to flat ODF) and AbiWord (to its XML format) read
our file, and what they read is compared with what the document holds.

usage: peer_interop.py LUMAROPAD
Exit status 0 when every peer that is installed read everything, 1 when one did not, 77 when no
peer is installed."""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

SOURCE = r"""{\rtf1\ansi\deff0\deftab567{\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\froman\fcharset0\fprq2 Times New Roman;}{\f2\fmodern\fprq1 Courier New;}{\f3\fnil\fcharset2 Symbol;}}
{\colortbl;\red255\green0\blue0;\red0\green0\blue255;}
\pard\qc\plain\f1\fs36\b Centred title\par
\pard\fi720\li360\ri1440\plain\f0\fs22 Indented {\b bold} {\i italic} {\ul underline} {\strike struck} {\cf1 red} {\cf2\f2\fs20 blue courier}\par
\pard\qr\plain\f0\fs22 Right aligned caf\'e9 \u8364?\par
\pard{\pntext\f3\'B7\tab}{\*\pn\pnlvlblt\pnf3\pnindent0{\pntxtb\'B7}}\fi-360\li720\plain\f0\fs22 bullet one\par
{\pntext\f3\'B7\tab}bullet two\par
\pard{\pntext 1.\tab}{\*\pn\pnlvlbody\pndec\pnstart1\pnindent360{\pntxta.}}\fi-360\li360 numbered one\par
{\pntext 2.\tab}{\*\pn\pnlvlbody\pndec\pnstart1\pnindent360{\pntxta.}}\fi-360\li360 numbered two\par
\pard\tx1440\tqr\tldot\tx5760\tqc\tx7200\tqdec\tx8640\plain\f0\fs22 Name\tab left\tab right\tab centre\tab 12.5\par
\pard\plain\f0\fs22 after}
"""

# What each paragraph must be read as: indents in inches (left, first line, right), alignment,
# list kind.
PARAGRAPHS = [
    ("Centred title", (0, 0, 0), "center", None),
    ("Indented bold italic underline struck red blue courier", (0.25, 0.5, 1), "left", None),
    ("Right aligned café €", (0, 0, 0), "right", None),
    ("bullet one", (0.5, -0.25, 0), "left", "bullet"),
    ("bullet two", (0.5, -0.25, 0), "left", "bullet"),
    ("numbered one", (0.25, -0.25, 0), "left", "number"),
    ("numbered two", (0.25, -0.25, 0), "left", "number"),
    ("Name left right centre 12.5", (0, 0, 0), "left", None),
    ("after", (0, 0, 0), "left", None),
]
# The stops of the paragraph "Name…": inches, kind, leader.
STOPS = [(1.0, "left", None), (4.0, "right", "."), (5.0, "center", None), (6.0, "decimal", None)]
DEFAULT_TAB_INCHES = 567 / 1440
# Runs that must keep their format: text -> (face, points, bold, italic, underline, strike, colour).
RUNS = {
    "Centred title": ("Times New Roman", 18, True, False, False, False, None),
    "bold": ("Arial", 11, True, False, False, False, None),
    "italic": ("Arial", 11, False, True, False, False, None),
    "underline": ("Arial", 11, False, False, True, False, None),
    "struck": ("Arial", 11, False, False, False, True, None),
    "red": ("Arial", 11, False, False, False, False, "ff0000"),
    "blue courier": ("Courier New", 10, False, False, False, False, "0000ff"),
}

failures = []


def check(peer, what, ok):
    print(f"  {'ok     ' if ok else 'MISSING'} {what}")
    if not ok:
        failures.append(f"{peer}: {what}")


def inches(value):
    m = re.match(r"(-?[\d.]+)(in|cm|mm|pt)?", value or "0")
    number = float(m.group(1))
    return number * {"in": 1, "cm": 1 / 2.54, "mm": 1 / 25.4, "pt": 1 / 72, None: 1}[m.group(2)]


def near(a, b):
    return abs(a - b) < 0.011


def words(text):
    return " ".join(text.split())


def libreoffice(ours, work):
    env = dict(os.environ, HOME=os.path.join(work, "home"))
    os.makedirs(env["HOME"], exist_ok=True)
    subprocess.run(["soffice", "--headless", "--convert-to", "fodt", "--outdir", work, ours],
                   env=env, capture_output=True, timeout=300)
    path = os.path.join(work, "doc.fodt")
    if not os.path.exists(path):
        check("LibreOffice", "reads the file", False)
        return
    ns = {"office": "urn:oasis:names:tc:opendocument:xmlns:office:1.0",
          "style": "urn:oasis:names:tc:opendocument:xmlns:style:1.0",
          "text": "urn:oasis:names:tc:opendocument:xmlns:text:1.0",
          "fo": "urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"}
    q = lambda tag: "{%s}%s" % (ns[tag.split(":")[0]], tag.split(":")[1])
    with open(path, encoding="utf-8") as f:
        root = ET.fromstring(f.read().replace("<text:tab/>", " "))  # a tab separates words
    styles = {s.get(q("style:name")): s for s in root.iter(q("style:style"))}
    list_styles = {s.get(q("style:name")): s for s in root.iter(q("text:list-style"))}

    def paragraph_properties(name):
        style = styles.get(name)
        props = style.find(q("style:paragraph-properties")) if style is not None else None
        return props if props is not None else ET.Element("none"), style

    def text_properties(name):
        props = {}
        while name:
            style = styles.get(name)
            if style is None:
                break
            tp = style.find(q("style:text-properties"))
            if tp is not None:
                for key, value in tp.attrib.items():
                    props.setdefault(key, value)
            name = style.get(q("style:parent-style-name"))
        return props

    paragraphs = []
    for p in root.iter(q("text:p")):
        text = words("".join(p.itertext()))
        if not text:
            continue
        props, style = paragraph_properties(p.get(q("text:style-name")))
        list_style = style.get(q("style:list-style-name")) if style is not None else None
        kind, left, first = None, props.get(q("fo:margin-left")), props.get(q("fo:text-indent"))
        if list_style in list_styles:
            level = list_styles[list_style][0]
            kind = "bullet" if level.tag == q("text:list-level-style-bullet") else "number"
            alignment = level.find(".//" + q("style:list-level-label-alignment"))
            if alignment is not None:
                left = left or alignment.get(q("fo:margin-left"))
                first = first or alignment.get(q("fo:text-indent"))
        align = {"center": "center", "end": "right", "right": "right"}.get(props.get(q("fo:text-align")), "left")
        stops = []
        for stop in props.iter(q("style:tab-stop")):
            kind_of_stop = {"right": "right", "center": "center", "char": "decimal"}.get(stop.get(q("style:type")), "left")
            stops.append((inches(stop.get(q("style:position"))), kind_of_stop, stop.get(q("style:leader-text"))))
        paragraphs.append((text, (inches(left), inches(first), inches(props.get(q("fo:margin-right")))), align, kind, stops))

    compare_paragraphs("LibreOffice", paragraphs)
    distance = [inches(p.get(q("style:tab-stop-distance"))) for p in root.iter(q("style:paragraph-properties"))
                if p.get(q("style:tab-stop-distance"))]
    check("LibreOffice", "default tab width", any(near(d, DEFAULT_TAB_INCHES) for d in distance))

    runs = {}
    for span in root.iter(q("text:span")):
        props = text_properties(span.get(q("text:style-name")))
        runs[words("".join(span.itertext()))] = (
            props.get(q("style:font-name"), props.get(q("fo:font-family"), "")).strip("'"),
            inches(props.get(q("fo:font-size"), "0pt")) * 72,
            props.get(q("fo:font-weight")) == "bold",
            props.get(q("fo:font-style")) == "italic",
            props.get(q("style:text-underline-style"), "none") != "none",
            props.get(q("style:text-line-through-style"), "none") != "none",
            props.get(q("fo:color"), "").lstrip("#") or None)
    compare_runs("LibreOffice", runs)


def abiword(ours, work):
    path = os.path.join(work, "doc.abw")
    subprocess.run(["abiword", "--to=abw", "-o", path, ours], capture_output=True, timeout=300)
    if not os.path.exists(path):
        check("AbiWord", "reads the file", False)
        return
    root = ET.parse(path).getroot()
    ns = root.tag[:root.tag.index("}") + 1] if root.tag.startswith("{") else ""

    def props(element):
        return dict(kv.split(":", 1) for kv in (p.strip() for p in (element.get("props") or "").split(";")) if ":" in kv)

    paragraphs = []
    for p in root.iter(ns + "p"):
        text = words("".join(p.itertext()))
        if not text:
            continue
        pp = props(p)
        style = pp.get("list-style", "")
        kind = "bullet" if "Bullet" in style else ("number" if "Numbered" in style else None)
        stops = []
        for stop in filter(None, pp.get("tabstops", "").split(",")):
            position, code = stop.split("/")
            kind_of_stop = {"L": "left", "R": "right", "C": "center", "D": "decimal"}[code[0]]
            stops.append((inches(position), kind_of_stop, "." if code[1:] == "1" else None))
        align = {"center": "center", "right": "right"}.get(pp.get("text-align"), "left")
        paragraphs.append((text, (inches(pp.get("margin-left")), inches(pp.get("text-indent")),
                                  inches(pp.get("margin-right"))), align, kind, stops))
    # AbiWord gives every stop after a leadered one that leader too: only the first stops' leaders count.
    compare_paragraphs("AbiWord", paragraphs, leaders_after_first=False)

    runs = {}
    for c in root.iter(ns + "c"):
        cp = props(c)
        runs[words("".join(c.itertext()))] = (
            cp.get("font-family", ""), inches(cp.get("font-size", "0pt")) * 72,
            cp.get("font-weight") == "bold", cp.get("font-style") == "italic",
            "underline" in cp.get("text-decoration", ""), "line-through" in cp.get("text-decoration", ""),
            cp.get("color"))
    compare_runs("AbiWord", runs)


def compare_paragraphs(peer, paragraphs, leaders_after_first=True):
    texts = [p[0] for p in paragraphs]
    check(peer, "text of every paragraph, in order", texts == [p[0] for p in PARAGRAPHS])
    read = {p[0]: p for p in paragraphs}
    for text, indents, align, kind in PARAGRAPHS:
        got = read.get(text)
        if got is None:
            continue
        check(peer, f"'{text}': indents {indents}", all(near(a, b) for a, b in zip(got[1], indents)))
        check(peer, f"'{text}': {align} aligned", got[2] == align)
        check(peer, f"'{text}': {kind or 'no list'}", got[3] == kind)
    stops = read.get(PARAGRAPHS[7][0], (None,) * 5)[4] or []
    leadered = next(i for i, stop in enumerate(STOPS) if stop[2])
    same = len(stops) == len(STOPS) and all(
        near(a[0], b[0]) and a[1] == b[1] and (a[2] == b[2] or (not leaders_after_first and i > leadered))
        for i, (a, b) in enumerate(zip(stops, STOPS)))
    check(peer, f"tab stops {STOPS}", same)


def compare_runs(peer, runs):
    for text, expected in RUNS.items():
        got = runs.get(text)
        ok = got is not None and got[0] == expected[0] and abs(got[1] - expected[1]) < 0.01 and \
            got[2:6] == expected[2:6] and (got[6] or None) == expected[6]
        check(peer, f"'{text}': {expected}", ok)


def main():
    program = sys.argv[1]
    peers = [name for name in ("soffice", "abiword") if shutil.which(name)]
    if not peers:
        print("no peer word processor is installed (libreoffice-writer-nogui, abiword)")
        return 77
    with tempfile.TemporaryDirectory() as work:
        source = os.path.join(work, "source", "doc.rtf")
        os.makedirs(os.path.dirname(source))
        with open(source, "w", encoding="ascii") as f:
            f.write(SOURCE)
        subprocess.run([program, "--convert-to", "rtf", "--outdir", work, source], check=True,
                       capture_output=True, timeout=60)
        ours = os.path.join(work, "doc.rtf")
        if "soffice" in peers:
            print("LibreOffice:")
            libreoffice(ours, os.path.join(work, "lo"))
        if "abiword" in peers:
            print("AbiWord:")
            abiword(ours, work)
    if failures:
        print("\n".join(["Not read back:"] + failures))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
