# Sourced by the end-to-end scripts: skips the test (exit 77) without Xvfb and xdotool, makes a
# scratch folder ($work), starts a private X server for Qt's xcb platform and, when the script
# ends, stops the program started as $app and the server and removes the scratch folder.
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d /tmp/lumaro-e2e.XXXXXX)
display=":$((RANDOM % 800 + 100))"
server=""
app=""
cleanup() {
    [[ -n $app ]] && kill "$app" 2>/dev/null || true
    [[ -n $server ]] && kill "$server" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
export DISPLAY=$display QT_QPA_PLATFORM=xcb
for _ in $(seq 50); do
    xdotool getmouselocation >/dev/null 2>&1 && break
    sleep 0.1
done
