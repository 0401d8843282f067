#!/usr/bin/env bash
# Installs the built program into a staging folder as `cmake --install` does for a user, checks
# the desktop files with the desktop's own validators, runs the installed program, and makes the
# Debian package, lists it and runs the program unpacked from it.
#   staging_install.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)

for tool in desktop-file-validate appstreamcli dpkg-deb dpkg-shlibdeps cpack file; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/install-deps.sh --test)"; exit 77; }
done

work=$(mktemp -d /tmp/lumaro-install.XXXXXX)
trap 'rm -rf "$work"' EXIT
stage=$work/stage
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

cmake --install "$build" --prefix "$stage" >"$work/install.log"

id=io.lumaro.Notepad
sizes=(16 22 24 32 48 64 128 256)
expected=(bin/lumaropad share/applications/$id.desktop share/metainfo/$id.metainfo.xml
    share/icons/hicolor/scalable/apps/$id.svg share/man/man1/lumaropad.1.gz)
for size in "${sizes[@]}"; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
done
for path in "${expected[@]}"; do
    [[ -f $stage/$path ]] || fail "cmake --install did not install $path"
done

# Each icon is as large as the folder it is in says.
for size in "${sizes[@]}"; do
    icon=$stage/share/icons/hicolor/${size}x${size}/apps/$id.png
    [[ -f $icon ]] && ! file "$icon" | grep -q "PNG image data, $size x $size," && fail "$icon is not $size by $size"
done
grep -q "<svg" "$stage/share/icons/hicolor/scalable/apps/$id.svg" || fail "the scalable icon is not SVG"

desktop=$stage/share/applications/$id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate refuses $id.desktop"
appstreamcli validate --no-net "$stage/share/metainfo/$id.metainfo.xml" >"$work/appstream.log" 2>&1 ||
    { cat "$work/appstream.log"; fail "appstreamcli refuses the metainfo"; }
# The launcher runs the installed program with the files it is given, shows the installed icon
# and offers the document types the program reads.
grep -qx "Exec=lumaropad %F" "$desktop" || fail "the launcher does not run 'lumaropad %F'"
grep -qx "Icon=$id" "$desktop" || fail "the launcher's icon is not $id"
for type in application/rtf text/plain; do
    grep -q "^MimeType=.*$type;" "$desktop" || fail "the launcher does not open $type"
done
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$stage/share/metainfo/$id.metainfo.xml" ||
    fail "the metainfo does not name the launcher"
if command -v groff >/dev/null; then
    warnings=$(zcat "$stage/share/man/man1/lumaropad.1.gz" | groff -man -Tutf8 -ww -z 2>&1)
    [[ -z $warnings ]] || fail "the manual page has warnings: $warnings"
fi

# The installed program runs from the staging prefix, without a display.
printf '{\\rtf1\\ansi Installed {\\b and} running.\\par}' >"$work/in.rtf"
version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$stage/bin/lumaropad" --version) ||
    fail "the installed program does not run"
[[ $version == "lumaropad "* ]] || fail "the installed program says '$version' for --version"
text=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$stage/bin/lumaropad" --convert-to txt \
    --outdir - "$work/in.rtf") || fail "the installed program does not convert"
[[ $text == "Installed and running." ]] || fail "the installed program converted to '$text'"

# Language modules go to share/lumaropad, where the installed program looks for them.
modules=("$build"/lumaropad.???)
if [[ -e ${modules[0]} ]]; then
    for module in "${modules[@]}"; do
        name=$(basename "$module")
        [[ -f $stage/share/lumaropad/$name ]] || fail "the language module $name is not installed"
    done
else
    echo "SKIP (one check): no language modules are built yet, so none can be found when installed"
fi

# The Debian package of the same files.
(cd "$work" && cpack -G DEB -B "$work/package" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1) ||
    { cat "$work/cpack.log"; fail "cpack made no package"; }
deb=$(ls "$work"/package/*.deb 2>/dev/null | head -1)
if [[ -n $deb ]]; then
    contents=$(dpkg-deb -c "$deb")
    for path in "${expected[@]}"; do
        grep -q " \./usr/$path\$" <<<"$contents" || fail "the package lacks /usr/$path"
    done
    [[ $(dpkg-deb -f "$deb" Package) == lumaropad ]] || fail "the package is not named lumaropad"
    grep -q "libqt6widgets6" <<<"$(dpkg-deb -f "$deb" Depends)" || fail "the package does not depend on Qt"
    dpkg-deb -x "$deb" "$work/root"
    env -u DISPLAY -u WAYLAND_DISPLAY "$work/root/usr/bin/lumaropad" --version >/dev/null ||
        fail "the program unpacked from the package does not run"
    if command -v apt-get >/dev/null; then
        apt-get install -s "$deb" >"$work/apt.log" 2>&1 ||
            { cat "$work/apt.log"; fail "apt cannot install the package's dependencies"; }
    fi
    echo "$(basename "$deb"): $(wc -l <<<"$contents") entries"
fi

[[ $failures -eq 0 ]] || exit 1
echo "PASS: installed $(find "$stage" -type f | wc -l) files; desktop file, metainfo and package checked"
