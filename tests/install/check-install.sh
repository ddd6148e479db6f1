#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and checks what a desktop finds there:
# the program, its entry, icons, file type, metadata, manual page and user guide.
# Usage: check-install.sh CMAKE BUILD_DIR APP_ID
set -euo pipefail
cmake=$1 build=$2 id=$3
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "FEHLER: $*" >&2; exit 1; }

DESTDIR=$root "$cmake" --install "$build" --prefix /usr >/dev/null
usr=$root/usr
cd "$usr"

# Exactly these files, apart from the guide's pages and pictures.
expected="bin/tarvosk
share/applications/$id.desktop
share/icons/hicolor/scalable/apps/$id.svg
share/icons/hicolor/scalable/mimetypes/application-x-tvkfile.svg
share/man/man1/tarvosk.1.gz
share/metainfo/$id.metainfo.xml
share/mime/packages/tarvosk-tvkfile.xml"
actual=$(find . -type f ! -path './share/tarvosk/handbuch/*' | sed 's|^\./||' | LC_ALL=C sort)
[ "$actual" = "$(LC_ALL=C sort <<<"$expected")" ] || fail "installierte Dateien:
$actual"
[ -x bin/tarvosk ] || fail "bin/tarvosk ist nicht ausführbar"

# The desktop entry: valid, starting the installed program with the file, under the installed icon.
entry=share/applications/$id.desktop
desktop-file-validate "$entry" || fail "$entry ist ungültig"
grep -qx 'Exec=tarvosk %f' "$entry" || fail "Exec-Zeile"
grep -qx "Icon=$id" "$entry" || fail "Icon-Zeile"
grep -qx 'MimeType=application/x-tvkfile;' "$entry" || fail "MimeType-Zeile"

# The metadata names the entry and the version the program reports.
metainfo=share/metainfo/$id.metainfo.xml
appstreamcli validate --no-net "$metainfo" >/dev/null || appstreamcli validate --no-net "$metainfo" >&2 ||
    fail "$metainfo ist ungültig"
grep -q "<id>$id</id>" "$metainfo" || fail "id in $metainfo"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "launchable in $metainfo"
release=$(grep -o '<release version="[^"]*"' "$metainfo" | head -1 | cut -d'"' -f2)
version=$(bin/tarvosk --version)
[[ "$version" == *"Version $release" ]] || fail "Version \"$version\", Metadaten \"$release\""

# The MIME package compiles, gives "*.tvk" its type and carries a German comment.
update-mime-database share/mime
grep -qx '50:application/x-tvkfile:\*\.tvk' share/mime/globs2 || fail "*.tvk fehlt in globs2"
grep -q '<comment xml:lang="de">' share/mime/packages/tarvosk-tvkfile.xml || fail "deutscher Kommentar"

# The manual page renders without a warning.
warnings=$(zcat share/man/man1/tarvosk.1.gz | groff -man -ww -z -K utf8 2>&1)
[ -z "$warnings" ] || fail "Handbuchseite: $warnings"

# The guide is complete: every picture it shows is installed with it.
guide=share/tarvosk/handbuch
[ -f "$guide/index.html" ] || fail "Handbuch fehlt"
for picture in $(grep -o 'src="[^"]*"' "$guide/index.html" | cut -d'"' -f2); do
    [ -f "$guide/$picture" ] || fail "Bild $picture fehlt im Handbuch"
done
echo "Installation geprüft: $(find . -type f | wc -l) Dateien"
