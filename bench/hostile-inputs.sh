#!/usr/bin/env bash
# Converts hostile inputs (a million nested braces, 50,000 fonts, 50,000 fonts each in use, a huge
# \binN, a 10,000-letter control word, a truncated document) to text and to RTF and prints each
# one's seconds, peak memory and exit code; the limits are 2 s and 256 MB each.
# Usage: bench/hostile-inputs.sh [BUILD_DIR]
set -euo pipefail
build="${1:-$(dirname "$0")/../build}"
lumaropad="$build/lumaropad"
[[ -x $lumaropad && -x /usr/bin/time ]] || { echo "needs $lumaropad and /usr/bin/time" >&2; exit 2; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

python3 - "$work" <<'PY'
import sys, os
d = sys.argv[1]
def w(name, data): open(os.path.join(d, name + ".rtf"), "wb").write(data)
w("nested-million", b"{\\rtf1 " + b"{" * 1000000 + b"deep" + b"}" * 1000000 + b"}")
w("unclosed-million", b"{\\rtf1 " + b"{\\b x" * 1000000)
w("fonts-50000", b"{\\rtf1{\\fonttbl" + b"".join(b"{\\f%d\\fcharset%d Face %d;}" % (i, i % 256, i) for i in range(50000)) + b"}\\f49999 text}")
w("fonts-50000-used", b"{\\rtf1{\\fonttbl" + b"".join(b"{\\f%d Face %d;}" % (i, i) for i in range(50000)) + b"}" + b"".join(b"{\\f%d x}" % i for i in range(50000)) + b"}")
w("bin-huge", b"{\\rtf1 a\\bin2147483647 " + b"x" * 1000 + b"}")
w("word-10000", b"{\\rtf1 a\\" + b"A" * 10000 + b"1 b}")
w("word-10000-header", b"{\\" + b"A" * 10000 + b"1 b}")
w("digits-million", b"{\\rtf1\\fs" + b"9" * 1000000 + b" x}")
doc = b"{\\rtf1{\\fonttbl{\\f0 Arial;}}" + b"{\\b bold}\\u8220?text\\'e9\\par " * 100000 + b"}"
w("truncated", doc[: len(doc) // 2 + 7])
PY
printf '%-20s %6s %8s %10s %6s\n' input to seconds "peak MB" exit
for input in "$work"/*.rtf; do
    for format in txt rtf; do
        status=0
        /usr/bin/time -f "%e %M" -o "$work/time.log" timeout 10 "$lumaropad" --convert-to "$format" --outdir "$work/out" "$input" \
            >/dev/null 2>&1 || status=$?
        read -r seconds kb < "$work/time.log" || true
        printf '%-20s %6s %8s %10s %6s\n' "$(basename "$input" .rtf)" "$format" "$seconds" "$((kb / 1024))" "$status"
    done
done
