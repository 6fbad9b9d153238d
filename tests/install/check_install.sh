#!/usr/bin/env bash
# A staged install (DESTDIR) holds exactly the files below, its desktop
# entry, AppStream file and manual pages validate, an installed window keeps
# its settings in the user's folder, and the uninstall removes everything it
# installed. (The package check runs the installed converter.)
#
# usage: check_install.sh BUILD_DIR
set -euo pipefail

build=$(realpath "$1")
work=$(mktemp -d)
chmod 755 "$work"
trap 'rm -rf "$work"' EXIT
stage=$work/stage
fail() { echo "check_install: $*" >&2; exit 1; }

DESTDIR=$stage cmake --install "$build" --prefix /usr > /dev/null

expected='usr/bin/wavemark
usr/bin/wavemark-convert
usr/share/applications/org.wavemark.Wavemark.desktop
usr/share/doc/wavemark/changelog.Debian.gz
usr/share/doc/wavemark/copyright
usr/share/icons/hicolor/scalable/apps/org.wavemark.Wavemark.svg
usr/share/man/man1/wavemark-convert.1.gz
usr/share/man/man1/wavemark.1.gz
usr/share/metainfo/org.wavemark.Wavemark.metainfo.xml'
actual=$(cd "$stage" && find . -type f -printf '%P\n' | LC_ALL=C sort)
[[ $actual == "$expected" ]] || fail "installed files differ:
$(diff <(echo "$expected") <(echo "$actual") || true)"

desktop-file-validate "$stage/usr/share/applications/org.wavemark.Wavemark.desktop"
appstreamcli validate --no-net --pedantic \
    "$stage/usr/share/metainfo/org.wavemark.Wavemark.metainfo.xml" > /dev/null ||
    fail "the AppStream file does not validate"
version=$("$build/src/cli/wavemark-convert" --version | awk '{ print $2 }')
grep -q "<release version=\"$version\"" "$stage/usr/share/metainfo/org.wavemark.Wavemark.metainfo.xml" ||
    fail "the AppStream file has no release $version"
for page in "$stage"/usr/share/man/man1/*.1.gz; do
    mandoc -T lint -W warning "$page" || fail "$page has warnings"
done

# A user who cannot write the program's folder starts the installed window
# for the first time: the settings file goes to their configuration folder.
home=$work/home
mkdir -p "$home"
as_user=()
if [[ $(id -u) == 0 ]]; then
    chown nobody "$home"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
else
    chmod a-w "$stage/usr/bin"
fi
HOME=$home XDG_CONFIG_HOME=$home/.config XDG_RUNTIME_DIR=$home QT_QPA_PLATFORM=offscreen \
    "${as_user[@]}" "$stage/usr/bin/wavemark" > "$work/window.log" 2>&1 &
window=$!
settings=$home/.config/Wavemark/Wavemark.ini
for _ in $(seq 300); do
    [[ -s $settings ]] && grep -q TLineWep "$settings" && break
    kill -0 "$window" 2> /dev/null || break
    sleep 0.1
done
kill "$window" 2> /dev/null || true
wait "$window" 2> /dev/null || true
chmod u+w "$stage/usr/bin"
[[ -f $settings ]] || fail "no settings file in the user's folder; the window said:
$(cat "$work/window.log")"
[[ $(grep -c '=' "$settings") == 25 ]] || fail "the first-start settings file lacks keys"
[[ ! -e $stage/usr/bin/Wavemark.ini ]] || fail "a settings file was written beside the program"

DESTDIR=$stage cmake --build "$build" --target uninstall > /dev/null
left=$(find "$stage" -type f)
[[ -z $left ]] || fail "the uninstall left: $left"
echo "staged install: 9 files, validated, first start, uninstalled"
