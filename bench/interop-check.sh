#!/usr/bin/env bash
# Checks that LibreOffice and AbiWord (when installed) read the RTF we write with the same text,
# faces, sizes, styles, colours, alignment, indents and bullets: a document with all of them is
# saved through `lumaropad --convert-to rtf`, converted by each peer to its own format, and the
# attributes are looked for there. Peers are for checking only (apt-get install abiword
# libreoffice-writer-nogui). Usage: bench/interop-check.sh [BUILD_DIR]
set -uo pipefail
build="${1:-$(dirname "$0")/../build}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export HOME="$work/home"
mkdir -p "$HOME"

cat > "$work/source.rtf" <<'RTF'
{\rtf1\ansi\deff0{\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\froman\fcharset0\fprq2 Times New Roman;}{\f2\fmodern\fprq1 Courier New;}}
{\colortbl;\red255\green0\blue0;\red0\green0\blue255;}
\pard\qc\plain\f1\fs36\b Centred title\par
\pard\fi720\li360\ri1440\plain\f0\fs22 Indented {\b bold} {\i italic} {\ul underline} {\strike struck} {\cf1 red} {\cf2\f2\fs20 blue courier}\par
\pard\qr\plain\f0\fs22 Right aligned caf\'e9 \u8364?\par
\pard{\pntext\f0\'B7\tab}{\*\pn\pnlvlblt\pnf0\pnindent0{\pntxtb\'B7}}\fi-360\li720\plain\f0\fs22 bullet one\par
{\pntext\f0\'B7\tab}bullet two\par
\pard\plain\f0\fs22 after}
RTF
"$build/lumaropad" --convert-to rtf --outdir "$work/ours" "$work/source.rtf" || exit 1
ours="$work/ours/source.rtf"
failures=0

expect() { # FILE DESCRIPTION EXTENDED-REGEX
    if grep -Eq "$3" "$1"; then
        echo "  ok      $2"
    else
        echo "  MISSING $2"
        failures=$((failures + 1))
    fi
}

if command -v soffice >/dev/null; then
    echo "LibreOffice:"
    timeout 180 soffice --headless --convert-to html --outdir "$work/lo" "$ours" >/dev/null 2>&1
    html="$work/lo/source.html"
    touch "$html"
    tr '\n' ' ' < "$html" > "$html.flat"
    expect "$html.flat" "centred title, Times New Roman 18pt bold" 'align="center".{0,200}Times New Roman.{0,80}18pt.{0,40}<b>Centred'
    expect "$html.flat" "indents: left 0.25in, right 1in, first line 0.5in" 'margin-left: 0.25in; margin-right: 1in; text-indent: 0.5in'
    expect "$html.flat" "bold, italic, underline, struck" '<b>bold</b>.*<i>italic</i>.*<u>underline</u>.*<strike>.{0,120}struck'
    expect "$html.flat" "red" '#ff0000.{0,120}red'
    expect "$html.flat" "blue Courier New 10pt" '#0000ff.{0,40}Courier New.{0,80}10pt.{0,20}blue'
    expect "$html.flat" "right aligned, café €" 'align="right".{0,200}Right[[:space:]]+aligned[[:space:]]+café €'
    expect "$html.flat" "a bulleted list of two" '<ul>.*<li>.*bullet[[:space:]]+one.*<li>.*bullet[[:space:]]+two.*</ul>'
fi

if command -v abiword >/dev/null; then
    echo "AbiWord:"
    timeout 120 abiword --to=abw -o "$work/abi.abw" "$ours" >/dev/null 2>&1
    abw="$work/abi.abw"
    touch "$abw"
    expect "$abw" "centred title, Times New Roman 18pt bold" 'font-size:18pt;[^"]*font-family:Times New Roman;[^"]*font-weight:bold[^>]*>Centred title'
    expect "$abw" "indents: left 0.25in, right 1in, first line 0.5in" 'margin-left:0.2500in;[^"]*text-indent:0.5000in'
    expect "$abw" "bold" 'font-weight:bold[^>]*>bold<'
    expect "$abw" "italic" 'font-style:italic[^>]*>italic<'
    expect "$abw" "underline" 'text-decoration:underline[^>]*>underline<'
    expect "$abw" "struck" 'text-decoration:line-through[^>]*>struck<'
    expect "$abw" "red" 'color:ff0000[^>]*>red<'
    expect "$abw" "blue Courier New 10pt" 'font-family:Courier New; font-size:10pt; color:0000ff'
    expect "$abw" "right aligned, café €" 'text-align:right'
    expect "$abw" "bullets" 'list-style:Bullet List'
fi
[[ $failures -eq 0 ]]
