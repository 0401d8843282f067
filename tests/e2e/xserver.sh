# Sourced by the end-to-end scripts: skips the test (exit 77) without Xvfb and xdotool, makes a
# scratch folder ($work), starts a private X server for Qt's xcb platform and, when the script
# ends, stops the program started as $app and the server and removes the scratch folder.
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d /tmp/lumaro-e2e.XXXXXX)
server=""
app=""
cleanup() {
    [[ -n $app ]] && kill "$app" 2>/dev/null || true
    [[ -n $server ]] && kill "$server" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# The server picks a free display itself and says which once it accepts connections, so two
# tests running at once never share one. -noreset: without it the server resets whenever its
# last client leaves, and a program started a moment later (the next run of a script) can find
# no server to talk to.
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
server=$!
for _ in $(seq 100); do
    [[ -s $work/display ]] && break
    kill -0 "$server" 2>/dev/null || { echo "FAIL: Xvfb did not start"; exit 1; }
    sleep 0.1
done
[[ -s $work/display ]] || { echo "FAIL: Xvfb did not say which display it opened"; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")" QT_QPA_PLATFORM=xcb XDG_STATE_HOME=$work/state
xdotool getmouselocation >/dev/null 2>&1 || { echo "FAIL: the X server on $DISPLAY does not answer"; exit 1; }
