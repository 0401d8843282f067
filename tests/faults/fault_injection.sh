#!/usr/bin/env bash
# Saving under faults, with the real program:
#  - SIGKILL at random moments while the window saves a document (in Xvfb) and while
#    --convert-to writes over an existing output: after each kill the file is byte for byte the
#    old or the new content, nothing else is left in its folder, and where the old content is
#    left, the recovery copy of the typed work is there and opens;
#  - the window killed with unsaved typing offers it at the next start, and Yes brings it back;
#  - a full small tmpfs (window and converter): the old file stays whole and the reason is given;
#  - a read-only folder holding a writable file (as user nobody): the file is saved;
#  - a symbolic link: its target is written and the link kept; in a sticky shared folder a
#    link of another user is not followed.
# Needs root (tmpfs, another user) and Xvfb with xdotool; exits 77 (skipped) without them.
# Usage: fault_injection.sh PROGRAM [KILLS]   (KILLS per kind, 30 by default)
set -euo pipefail
program=$(readlink -f "$1")
kills=${2:-30}

[[ $(id -u) -eq 0 ]] || { echo "SKIP: needs root (tmpfs mounts, acting as another user)"; exit 77; }
for tool in Xvfb xdotool setpriv mount; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d /tmp/lumaro-faults.XXXXXX)
chmod 755 "$work"
server=""
app=""
cleanup() {
    [[ -n $app ]] && kill -9 "$app" 2>/dev/null || true
    [[ -n $server ]] && kill "$server" 2>/dev/null || true
    mountpoint -q "$work/full" && umount "$work/full"
    rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# A free display chosen by the server, which never resets between the many programs started here.
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
server=$!
for _ in $(seq 100); do
    [[ -s $work/display ]] && break
    sleep 0.1
done
export DISPLAY=":$(head -n1 "$work/display")" QT_QPA_PLATFORM=xcb
export HOME=$work/home XDG_STATE_HOME=$work/state LUMARO_RECOVERY_PAUSE_MS=100
mkdir -p "$HOME"
recovery=$XDG_STATE_HOME/lumaropad/recovery
for _ in $(seq 50); do
    xdotool getmouselocation >/dev/null 2>&1 && break
    sleep 0.1
done

# A document of about 1 MB, so that a save takes a while; and a small one.
mkdir -p "$work/src"
awk 'BEGIN { for (i = 0; i < 9000; i++) printf "Paragraph %d of the long document, with words enough to wrap a line or two.\n", i }' \
    >"$work/src/long.txt"
"$program" --convert-to rtf --outdir "$work/src" "$work/src/long.txt" >/dev/null
printf '{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 A short letter.\\par}' >"$work/src/short.rtf"
typed="typed before the kill "

# Starts the window on a document (the first argument, in the current folder) and waits for it.
start_window() {
    "$program" "$@" >/dev/null 2>&1 &
    app=$!
    local title="${1:+$1 - }LumaroStyle Notepad"
    [[ -z ${1:-} ]] && title="Untitled - LumaroStyle Notepad"
    window=$(timeout 30 xdotool search --sync --name "^${title}\$" | head -1)
    [[ -n $window ]] || { echo "FAIL: no window '$title'"; exit 1; }
    xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
    xdotool mousemove --window "$window" 400 250
}

stop_window() {
    kill -9 "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true
    app=""
}

# Waits until a recovery copy holds all the typed text (a copy is written after a pause of
# 100 ms, which a slow keystroke may leave too); prints its path.
wait_for_copy() {
    local copy
    for _ in $(seq 150); do
        for copy in "$recovery"/*.rtf; do
            [[ -f $copy ]] && grep -qF -- "$typed" "$copy" && { echo "$copy"; return 0; }
        done
        sleep 0.1
    done
    return 1
}

# Whether a recovery copy opens as a document holding the typed text.
copy_opens() {
    rm -rf "$work/opened"
    "$program" --convert-to txt --outdir "$work/opened" "$1" >/dev/null 2>&1 &&
        grep -q "^${typed}Paragraph 0 " "$work/opened/"*.txt
}

only_file() { # folder, name: nothing else is in the folder
    local listing
    listing=$(ls -A "$1")
    [[ $listing == "$2" ]]
}

# folder, name, new content, old content: true (and the file removed) when the only other file is
# the new content under its temporary name while the old content is still in place. A kill between
# the two system calls that name the written file and rename it over the old one leaves that: the
# only moment a kill leaves a file behind, and nothing is lost. The scheduler can stop the program
# there for a while on a busy machine.
named_but_not_renamed() {
    local others
    others=$(ls -A "$1" | grep -vxF "$2" || true)
    [[ $others =~ ^\.${2//./\\.}\.[0-9]{6}$ ]] && cmp -s "$1/$others" "$3" && cmp -s "$1/$2" "$4" &&
        rm -f "$1/$others"
}

# --- The window's save: the reference new content, then the kills --------------------------
mkdir -p "$work/gui"
cd "$work/gui"
cp "$work/src/long.rtf" doc.rtf
start_window doc.rtf
xdotool type --delay 15 "$typed"
wait_for_copy >/dev/null || fail "no recovery copy of the reference typing"
xdotool key ctrl+s
started=$(date +%s%N) # xdotool returns once the key is on its way
for _ in $(seq 200); do
    cmp -s doc.rtf "$work/src/long.rtf" || break
    sleep 0.02
done
save_ms=$(( ($(date +%s%N) - started) / 1000000 ))
sleep 0.3
stop_window
cp doc.rtf "$work/new-gui.rtf"
cmp -s "$work/new-gui.rtf" "$work/src/long.rtf" && fail "the reference save did not change the file"
rm -rf "$recovery"
echo "reference save of the window: about ${save_ms} ms"

gui_old=0 gui_new=0 gui_copies=0 gui_bad=0 gui_named=0
for i in $(seq "$kills"); do
    cp "$work/src/long.rtf" doc.rtf
    start_window doc.rtf
    xdotool type --delay 15 "$typed"
    copy=$(wait_for_copy) || { fail "kill $i: no recovery copy before the save"; copy=""; }
    xdotool key ctrl+s
    # From before the save begins to after it has ended.
    sleep "0.$(printf '%03d' $((RANDOM % (save_ms * 3 / 2 + 10 > 999 ? 999 : save_ms * 3 / 2 + 10))))"
    stop_window
    if cmp -s doc.rtf "$work/src/long.rtf"; then
        gui_old=$((gui_old + 1))
        if [[ -n $copy ]] && copy_opens "$copy"; then
            gui_copies=$((gui_copies + 1))
        else
            fail "kill $i: the old file is left but no recovery copy opens with the typed text" \
                "(copies: $(ls -A "$recovery" 2>/dev/null | tr '\n' ' '); opened: $(head -c 80 "$work/opened/"*.txt 2>/dev/null))"
        fi
    elif cmp -s doc.rtf "$work/new-gui.rtf"; then
        gui_new=$((gui_new + 1))
    else
        gui_bad=$((gui_bad + 1))
        fail "kill $i: doc.rtf is neither the old nor the new content ($(stat -c %s doc.rtf) bytes)"
    fi
    named_but_not_renamed . doc.rtf "$work/new-gui.rtf" "$work/src/long.rtf" && gui_named=$((gui_named + 1))
    only_file . doc.rtf || fail "kill $i: left behind: $(ls -A | tr '\n' ' ')"
    rm -rf "$recovery"
done
echo "window saves killed: $kills; old file left $gui_old (recovery copy opens: $gui_copies;" \
    "new content named but not renamed: $gui_named), new file $gui_new, damaged $gui_bad"

# --- Recovery after SIGKILL with unsaved typing ------------------------------------------
cp "$work/src/long.rtf" doc.rtf
start_window doc.rtf
xdotool type --delay 15 "$typed"
wait_for_copy >/dev/null || fail "recovery: no copy of the unsaved typing"
stop_window
"$program" >/dev/null 2>&1 &
app=$!
offer=$(timeout 30 xdotool search --sync --name '^Confirm$' | head -1)
if [[ -z $offer ]]; then
    fail "recovery: no offer at the next start"
else
    xdotool windowactivate --sync "$offer" 2>/dev/null || xdotool windowfocus --sync "$offer"
    xdotool key Return
    window=$(timeout 20 xdotool search --sync --name '^doc.rtf - LumaroStyle Notepad$' | head -1)
    [[ -n $window ]] || fail "recovery: Yes did not open the copy under the document's name"
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    xdotool key ctrl+s
    for _ in $(seq 100); do
        cmp -s doc.rtf "$work/src/long.rtf" || break
        sleep 0.05
    done
    cmp -s doc.rtf "$work/new-gui.rtf" || fail "recovery: saving the recovered work did not write what was typed"
    for _ in $(seq 50); do
        [[ -z $(ls -A "$recovery" 2>/dev/null | grep '\.rtf$') ]] && break
        sleep 0.05
    done
    [[ -z $(ls -A "$recovery" | grep '\.rtf$') ]] || fail "recovery: the copy is still there after the save"
    echo "recovery after SIGKILL: offered, opened and saved"
fi
stop_window

# --- Conversions over an existing output --------------------------------------------------
mkdir -p "$work/conv/ref" "$work/conv/out"
printf '{\\rtf1 the old output}' >"$work/conv/old.rtf"
printf 'the old output\n' >"$work/conv/old.txt"
for format in rtf txt; do
    started=$(date +%s%N)
    "$program" --convert-to "$format" --outdir "$work/conv/ref" "$work/src/long.rtf" >/dev/null
    convert_ms=$(( ($(date +%s%N) - started) / 1000000 ))
    echo "reference conversion to $format: ${convert_ms} ms"
    eval "convert_ms_$format=$convert_ms"
done
conv_old=0 conv_new=0 conv_bad=0 conv_named=0
for i in $(seq "$kills"); do
    format=$([[ $((i % 2)) -eq 0 ]] && echo rtf || echo txt)
    eval "limit=\$convert_ms_$format"
    cp "$work/conv/old.$format" "$work/conv/out/long.$format"
    "$program" --convert-to "$format" --outdir "$work/conv/out" "$work/src/long.rtf" >/dev/null 2>&1 &
    pid=$!
    sleep "0.$(printf '%03d' $((RANDOM % (limit * 11 / 10 > 999 ? 999 : limit * 11 / 10 + 1))))"
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    if cmp -s "$work/conv/out/long.$format" "$work/conv/old.$format"; then
        conv_old=$((conv_old + 1))
    elif cmp -s "$work/conv/out/long.$format" "$work/conv/ref/long.$format"; then
        conv_new=$((conv_new + 1))
    else
        conv_bad=$((conv_bad + 1))
        fail "conversion kill $i: the output is neither the old nor the new content"
    fi
    named_but_not_renamed "$work/conv/out" "long.$format" "$work/conv/ref/long.$format" "$work/conv/old.$format" &&
        conv_named=$((conv_named + 1))
    only_file "$work/conv/out" "long.$format" || fail "conversion kill $i: left behind: $(ls -A "$work/conv/out" | tr '\n' ' ')"
    rm -f "$work/conv/out/"*
done
echo "conversions killed: $kills; old output left $conv_old (new content named but not renamed:" \
    "$conv_named), new output $conv_new, damaged $conv_bad"

# --- A full small tmpfs -------------------------------------------------------------------
mkdir -p "$work/full"
mount -t tmpfs -o size=2m tmpfs "$work/full"
cp "$work/src/short.rtf" "$work/full/short.rtf"
dd if=/dev/zero of="$work/full/filler" bs=64k 2>/dev/null || true
err=$("$program" --convert-to rtf --outdir "$work/full" "$work/src/short.rtf" 2>&1 >/dev/null) && status=0 || status=$?
[[ $status -eq 1 && $err == *"No space left on device"* ]] || fail "full disk, converter: status $status, '$err'"
cmp -s "$work/full/short.rtf" "$work/src/short.rtf" || fail "full disk, converter: the old output changed"
cd "$work/full"
start_window short.rtf
xdotool type --delay 15 "$typed"
xdotool key ctrl+s
box=$(timeout 20 xdotool search --sync --name '^LumaroStyle Notepad$' | head -1)
[[ -n $box ]] || fail "full disk, window: no error box"
cmp -s "$work/full/short.rtf" "$work/src/short.rtf" || fail "full disk, window: the old file changed"
stop_window
[[ $(ls -A "$work/full" | tr '\n' ' ') == "filler short.rtf " ]] || fail "full disk: left behind: $(ls -A "$work/full" | tr '\n' ' ')"
cd "$work"
umount "$work/full"
echo "full 2 MB tmpfs: converter failed with '${err#*: }', error box shown, old file intact, nothing left behind"

# --- A read-only folder holding a writable file, as user nobody ----------------------------
mkdir -p "$work/ro"
cp "$work/src/short.rtf" "$work/ro/short.rtf"
chown nobody "$work/ro/short.rtf"
chmod 555 "$work/ro"
chmod 755 "$work/src"
if setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME=/tmp XDG_STATE_HOME=/tmp \
    "$program" --convert-to rtf --outdir "$work/ro" "$work/src/long.rtf" >/dev/null 2>&1; then
    fail "read-only folder: a file that is not there could be created"
fi
mkdir -p "$work/in" && cp "$work/src/long.rtf" "$work/in/short.rtf" && chmod -R a+rX "$work/in"
setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME=/tmp XDG_STATE_HOME=/tmp \
    "$program" --convert-to rtf --outdir "$work/ro" "$work/in/short.rtf" >/dev/null 2>&1 ||
    fail "read-only folder: the writable file was not saved"
cmp -s "$work/ro/short.rtf" "$work/conv/ref/long.rtf" || fail "read-only folder: the file does not hold the new content"
[[ $(stat -c %U "$work/ro/short.rtf") == nobody ]] || fail "read-only folder: the owner changed"
only_file "$work/ro" short.rtf || fail "read-only folder: left behind: $(ls -A "$work/ro" | tr '\n' ' ')"
echo "read-only folder: the writable file saved in place, owner kept"

# --- Symbolic links ----------------------------------------------------------------------
mkdir -p "$work/links/real" "$work/links/out"
printf 'old target' >"$work/links/real/target.rtf"
ln -s ../real/target.rtf "$work/links/out/long.rtf"
"$program" --convert-to rtf --outdir "$work/links/out" "$work/src/long.rtf" >/dev/null || fail "link: conversion failed"
[[ -L $work/links/out/long.rtf ]] || fail "link: the link was replaced by a file"
cmp -s "$work/links/real/target.rtf" "$work/conv/ref/long.rtf" || fail "link: the target does not hold the new content"
mkdir -m 1777 "$work/shared"
printf 'precious' >"$work/victim"
ln -s "$work/victim" "$work/shared/long.rtf"
chown -h nobody "$work/shared/long.rtf"
err=$("$program" --convert-to rtf --outdir "$work/shared" "$work/src/long.rtf" 2>&1 >/dev/null) && status=0 || status=$?
[[ $status -eq 1 ]] || fail "sticky folder: another user's link was followed"
[[ $(cat "$work/victim") == precious ]] || fail "sticky folder: the link's target was overwritten"
echo "links: target written and link kept; another user's link in a sticky folder refused ('${err#*: }')"

if [[ $failures -gt 0 ]]; then
    echo "FAILED: $failures check(s)"
    exit 1
fi
echo "PASS"
