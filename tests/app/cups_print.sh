#!/usr/bin/env bash
# Prints through the program's print command to a real CUPS queue. Starts a private scheduler
# with a PDF file queue as the default printer, runs the print test program against it, and
# checks that exactly one job completed, titled with the document's file name, with the
# document's pages in the printed PDF. Stops the scheduler again.
set -euo pipefail
print_test=$1

if ! command -v cupsd >/dev/null || ! command -v lpadmin >/dev/null || [[ $(id -u) -ne 0 ]]; then
    echo "SKIP: a private CUPS scheduler needs cupsd, lpadmin and root"
    exit 77
fi
ppd=/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd
if [[ ! -f $ppd ]]; then
    echo "SKIP: no generic PDF printer driver ($ppd)"
    exit 77
fi

dir=$(mktemp -d /tmp/lumaro-cups.XXXXXX)
scheduler=""
cleanup() {
    [[ -n $scheduler ]] && kill "$scheduler" 2>/dev/null && wait "$scheduler" 2>/dev/null || true
    rm -rf "$dir"
}
trap cleanup EXIT

mkdir -p "$dir"/{spool,cache,state,log,tmp,ppd}
chgrp lp "$dir"/{spool,cache,state,tmp} 2>/dev/null || true
chmod 0775 "$dir"/{spool,cache,state,tmp}
chmod 0755 "$dir"
cat >"$dir/cups-files.conf" <<CONF
ServerRoot $dir
RequestRoot $dir/spool
TempDir $dir/tmp
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
FileDevice Yes
SystemGroup root lpadmin
CONF
cat >"$dir/cupsd.conf" <<CONF
Listen $dir/cups.sock
Browsing No
WebInterface No
LogLevel warn
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
CONF

cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" &
scheduler=$!
for _ in $(seq 100); do
    [[ -S $dir/cups.sock ]] && break
    sleep 0.1
done
[[ -S $dir/cups.sock ]] || { echo "FAIL: the scheduler did not start"; cat "$dir/log/error_log" 2>/dev/null; exit 1; }
export CUPS_SERVER=$dir/cups.sock

lpadmin -p LumaroTestQueue -E -v "file:$dir/printed.pdf" -P "$ppd"
lpadmin -d LumaroTestQueue
touch "$dir/printed.pdf" && chmod 0666 "$dir/printed.pdf"

document_dir=$(mktemp -d "$dir/doc.XXXXXX")
LUMARO_PRINT_FOLDER=$document_dir "$print_test"

# The job is processed by the scheduler's filters after the program has handed it over.
for _ in $(seq 300); do
    [[ -n $(lpstat -W completed -o LumaroTestQueue 2>/dev/null) ]] && break
    sleep 0.1
done
completed=$(lpstat -W completed -o LumaroTestQueue)
echo "completed jobs: $completed"
jobs=$(printf '%s\n' "$completed" | grep -c . || true)
[[ $jobs -eq 1 ]] || { echo "FAIL: expected one completed job, found $jobs"; exit 1; }
expected_title="$document_dir/Quarterly report.rtf"
for _ in $(seq 50); do
    grep -q -F "$expected_title" "$dir/log/page_log" 2>/dev/null && break
    sleep 0.1
done
grep -q -F "$expected_title" "$dir/log/page_log" || {
    echo "FAIL: the job is not titled with the document's file name ($expected_title)"
    cat "$dir/log/page_log" 2>/dev/null
    exit 1
}
pages=$(pdfinfo "$dir/printed.pdf" | awk '/^Pages:/ {print $2}')
echo "printed pages: $pages"
[[ ${pages:-0} -ge 2 ]] || { echo "FAIL: expected the document's pages in the output"; exit 1; }
pdftotext "$dir/printed.pdf" - | grep -q "paragraph 199" || { echo "FAIL: the printed text is missing"; exit 1; }
echo "PASS: one completed job, $pages pages"
