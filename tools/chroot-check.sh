#!/usr/bin/env bash
# Installs a jadeleaf .deb into a fresh minimal Debian 12 chroot as a player would, runs the
# analysis tool and the game under Xvfb to a dealt table, purges the package, and checks that
# nothing of it is left outside the player's home. Needs root and Debian's mirror; takes minutes.
#   tools/chroot-check.sh build-package/jadeleaf_1.1.6_amd64.deb [MIRROR]
set -euo pipefail

[ $# -ge 1 ] || { echo "usage: tools/chroot-check.sh PACKAGE.deb [MIRROR]" >&2; exit 2; }
[ "$(id -u)" -eq 0 ] || { echo "chroot-check: needs root for debootstrap and chroot" >&2; exit 2; }
deb=$(realpath "$1")
mirror=${2:-http://deb.debian.org/debian}
here=$(cd "$(dirname "$0")" && pwd)

for tool in debootstrap python3; do
    if ! command -v "$tool" >/dev/null; then
        apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "$tool"
    fi
done

root=$(mktemp -d /var/tmp/jadeleaf-chroot.XXXXXX)
chmod 755 "$root"  # the chroot's / is open to the player, as every / is
game=""
xvfb=""
cleanup() {
    for process in $game $xvfb; do kill "$process" 2>/dev/null || true; done
    for mount in dev/shm dev/pts proc; do
        mountpoint -q "$root/$mount" && umount -l "$root/$mount"
    done
    rm -rf --one-file-system "$root"
}
trap cleanup EXIT

root_env=(env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin:/usr/games LANG=C.UTF-8)
player_env=(env -i PATH=/usr/bin:/bin:/usr/games HOME=/home/player LANG=C.UTF-8)
in_root() { chroot "$root" "${root_env[@]}" "$@"; }
as_player() { chroot --userspec=player:player "$root" "${player_env[@]}" "$@"; }
apt_in_root() { in_root env DEBIAN_FRONTEND=noninteractive apt-get -y -q "$@"; }

# Every file and link outside the player's home and the package manager's own records and
# caches, for comparing the system before the installation and after the purge.
system_files() {
    (cd "$root" && find . -xdev \( -path ./proc -o -path ./dev -o -path ./sys -o -path ./tmp -o -path ./home \
        -o -path ./var/lib/apt -o -path ./var/cache -o -path ./var/log -o -path ./run \) -prune \
        -o \( -type f -o -type l -o -type d \) -print | grep -v -x -e './var/lib/dpkg/[^/]*' -e './etc/ld.so.cache' \
        | LC_ALL=C sort)
}

echo "== debootstrap --variant=minbase bookworm"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.log" 2>&1 || { tail -20 "$root.log"; exit 1; }
rm -f "$root.log"
mount -t proc proc "$root/proc"
mount -t tmpfs tmpfs "$root/dev/shm"
mount -t devpts devpts "$root/dev/pts"
in_root useradd --create-home player

echo "== the test's own tools: Xvfb, xwd and xprop"
apt_in_root update
apt_in_root install --no-install-recommends xvfb x11-apps x11-utils >/dev/null
system_files >"$root/tmp/before.txt"
in_root dpkg-query -W -f '${Package}\n' | sort >"$root/tmp/packages-before.txt"

echo "== apt-get install ./$(basename "$deb")"
cp "$deb" "$root/tmp/"
apt_in_root install --no-install-recommends "./tmp/$(basename "$deb")"

echo "== jadeleaf-cli solve --seed 1"
solved=$(as_player jadeleaf-cli solve --seed 1)
echo "${solved:0:120}..."
grep -q '"seed":1,"winnable":true,' <<<"$solved" || { echo "chroot-check: seed 1 not solved" >&2; exit 1; }

echo "== jadeleaf under Xvfb"
# A display that no other X server on this machine uses: their sockets are shared with the chroot.
display=70
while grep -q "@/tmp/.X11-unix/X$display\$" /proc/net/unix; do display=$((display + 1)); done
# Started without a function around them, so that $! is the server's and the game's own process.
chroot "$root" "${root_env[@]}" Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 2
chroot --userspec=player:player "$root" "${player_env[@]}" DISPLAY=":$display" jadeleaf >"$root/tmp/game.log" 2>&1 &
game=$!
# The table is dealt when the screen shows the tiles: their faces' grey fill covers thousands of
# pixels, which neither the empty table nor the start-up picture has.
dealt=0
for _ in $(seq 30); do
    sleep 1
    kill -0 "$game" 2>/dev/null || break
    in_root xwd -root -silent -display ":$display" >"$root/tmp/screen.xwd" 2>/dev/null || continue
    tiles=$(python3 "$here/xwd-count.py" "$root/tmp/screen.xwd" CECECE)
    if [ "$tiles" -gt 20000 ]; then
        dealt=1
        break
    fi
done
# The window's icon comes from the icon theme when it offers more than the program's own 32 pixels.
window=$(in_root xwininfo -root -tree -display ":$display" | awk '/"Jadeleaf - Velora Edition/ { print $1; exit }')
icons=$(in_root xprop -display ":$display" -id "$window" _NET_WM_ICON 2>/dev/null | grep -o '[0-9]* x [0-9]*' || true)
kill "$game" 2>/dev/null || true
wait "$game" 2>/dev/null || true
kill "$xvfb" 2>/dev/null || true
wait "$xvfb" 2>/dev/null || true
game=""
xvfb=""
cat "$root/tmp/game.log"
[ "$dealt" -eq 1 ] || { echo "chroot-check: the game did not reach a dealt table" >&2; exit 1; }
echo "dealt: $tiles pixels of tile faces on the screen"
echo "window icon sizes:" $icons
[ "$(wc -l <<<"$icons")" -ge 2 ] || { echo "chroot-check: the window lacks the theme's icon" >&2; exit 1; }

echo "== apt-get purge jadeleaf, and the dependencies it brought"
apt_in_root purge jadeleaf
apt_in_root autoremove --purge >/dev/null
# Autoremove keeps a dependency that also stands in an installed package's list of alternatives
# (fonts-liberation2 for the test tools' fontconfig-config): it goes by name.
kept=$(in_root dpkg-query -W -f '${Package}\n' | sort | comm -13 "$root/tmp/packages-before.txt" -)
if [ -n "$kept" ]; then
    echo "kept by autoremove, purged by name:" $kept
    apt_in_root purge $kept >/dev/null
fi
if [ -e "$root/var/lib/dpkg/info/jadeleaf.list" ]; then
    echo "chroot-check: dpkg still knows jadeleaf" >&2
    exit 1
fi
system_files >"$root/tmp/after.txt"
if ! diff "$root/tmp/before.txt" "$root/tmp/after.txt"; then
    echo "chroot-check: the purge left the files above behind" >&2
    exit 1
fi
echo "Nothing of jadeleaf is left outside /home/player: $(wc -l <"$root/tmp/after.txt") paths as before."
