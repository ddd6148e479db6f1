#!/usr/bin/env bash
# Installs the Debian package into a clean Debian 12 root made by debootstrap, as a user's
# apt would, and checks that the program runs, the desktop finds its entry and file type,
# and that removing the package leaves nothing behind. Needs root and the Debian mirror.
#   scripts/check-package.sh [build-package/tarvosk_*.deb] [ROOT]   (ROOT is kept for the next run)
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
source scripts/common.sh

package=${1:-$(ls -v build-package/tarvosk_*.deb 2>/dev/null | tail -1)}
[ -f "$package" ] || { echo "No package to check; make one with scripts/package.sh." >&2; exit 1; }
package=$(readlink -f "$package")
root=${2:-/tmp/tarvosk-debian12}
[ "$(id -u)" -eq 0 ] || { echo "check-package.sh needs root (chroot, mounts)." >&2; exit 1; }
ensure_packages_from debootstrap

if [ ! -x "$root/usr/bin/apt-get" ]; then
    mkdir -p "$root"
    debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian >/dev/null
fi
cp /etc/resolv.conf "$root/etc/resolv.conf"
# Unmounted however the script ends, so that nothing removing the root can reach the host's /dev.
unmount() {
    local point
    for point in "$root/dev/pts" "$root/dev" "$root/proc"; do
        mountpoint -q "$point" || continue
        umount "$point" || umount -l "$point" || echo "Could not unmount $point: unmount it before removing $root." >&2
    done
}
trap unmount EXIT
mountpoint -q "$root/proc" || mount -t proc proc "$root/proc"
mountpoint -q "$root/dev" || mount --bind /dev "$root/dev"
mountpoint -q "$root/dev/pts" || mount --bind /dev/pts "$root/dev/pts"

# What every desktop has: the tools whose triggers register entries and file types.
chroot "$root" apt-get update -qq
DEBIAN_FRONTEND=noninteractive chroot "$root" apt-get install -y -qq --no-install-recommends \
    shared-mime-info desktop-file-utils >/dev/null
cp "$package" "$root/tmp/"
DEBIAN_FRONTEND=noninteractive chroot "$root" apt-get install -y -qq --no-install-recommends \
    "/tmp/$(basename "$package")" >/dev/null

chroot "$root" sh -eu -c '
    fail() { echo "FEHLER: $*" >&2; exit 1; }
    tarvosk --version
    grep -qx "application/x-tvkfile=io.github.tarvosk.Tarvosk.desktop;" /usr/share/applications/mimeinfo.cache ||
        fail "Eintrag nicht als Öffner von .tvk gefunden"
    grep -qx "50:application/x-tvkfile:\*.tvk" /usr/share/mime/globs2 || fail "Dateityp nicht gefunden"
    work=$(mktemp -d) && cd "$work"
    export HOME=$work XDG_RUNTIME_DIR=$work
    # Straight to the sheet, so that the start goes as far as the file association without a choice.
    mkdir -p "$work/.config/Tarvosk" && printf "[Startup]\nStartup=0\n" > "$work/.config/Tarvosk/Tarvosk.conf"
    tarvosk --roll Soldat --seed 7 held.tvk >/dev/null
    tarvosk --pdf held.tvk held.pdf && tarvosk --docx held.tvk held.docx
    # The window program starts (offscreen) and writes no desktop files of its own.
    status=0; QT_QPA_PLATFORM=offscreen timeout 3 tarvosk 2>/dev/null || status=$?
    [ "$status" -eq 124 ] || fail "das Programm endete beim Start mit $status"
    [ ! -e "$work/.local/share/applications" ] && [ ! -e "$work/.config/mimeapps.list" ] ||
        fail "das installierte Programm schrieb eigene Desktop-Dateien"
    dpkg -L tarvosk > /tmp/tarvosk-files
    apt-get purge -y -qq tarvosk >/dev/null
    while read -r f; do [ ! -f "$f" ] || fail "nach dem Entfernen noch da: $f"; done < /tmp/tarvosk-files
    ! grep -q tvk /usr/share/mime/globs2 || fail "Dateityp nach dem Entfernen noch bekannt"
    echo "Paket geprüft: installiert, gestartet, entfernt"
'
