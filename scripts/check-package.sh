#!/usr/bin/env bash
# Checks the Debian package the way an office machine meets it: installs it
# with apt into a fresh minimal Debian system (a chroot of the same release as
# this machine, made with debootstrap), makes a new office with selvar_admin,
# starts the sign-in launcher from the desktop entry under Xvfb as an ordinary
# user, signs in to the office (typed with xdotool) so that the client starts
# and saves a screenshot, uses the password tool, then purges the package
# with the dependencies it brought and checks that nothing of it is left.
#   scripts/check-package.sh [PACKAGE.deb]      (default: build/package/*.deb)
# Needs root and the distribution's package mirror, and takes a few minutes,
# so it is not part of .ci/run. The first run keeps the fresh system as a
# tarball in $SELVAR_CHECK_CACHE (default /var/cache/selvar-check), with the
# packages apt downloads; every run unpacks a new copy of the system. The screenshot goes to $SELVAR_SHOTS/deb-client.png
# (default build/screenshots).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

deb=${1:-$(ls "$root"/build/package/selvar-n_*.deb 2>/dev/null | tail -n 1)}
[ -f "$deb" ] || { echo "no package; build it with scripts/package.sh" >&2; exit 2; }
deb=$(cd "$(dirname "$deb")" && pwd)/$(basename "$deb")
[ "$(id -u)" -eq 0 ] || { echo "run as root (chroot, mounts)" >&2; exit 2; }
cache=${SELVAR_CHECK_CACHE:-/var/cache/selvar-check}
shots=${SELVAR_SHOTS:-$root/build/screenshots}
suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
# The mirror this machine's apt uses.
mirror=$(sed -n 's/^URIs: *\([^ ]*\).*/\1/p' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -n 1)
[ -n "$mirror" ] || mirror=$(awk '$1 == "deb" { print $2; exit }' /etc/apt/sources.list)

step() { echo "== $*"; }
fail() { echo "FAILED: $*" >&2; exit 1; }

for tool in debootstrap Xvfb xdotool; do
  command -v "$tool" >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
    "$( [ "$tool" = Xvfb ] && echo xvfb || echo "$tool")" >/dev/null
done

base="$cache/$suite-minbase.tar.gz"
if [ ! -f "$base" ]; then
  step "making a fresh $suite system with debootstrap (once; kept in $base)"
  mkdir -p "$cache"
  staging=$(mktemp -d "$cache/staging.XXXXXX")
  debootstrap --variant=minbase "$suite" "$staging" "$mirror" >"$cache/debootstrap.log" 2>&1 \
    || fail "debootstrap, see $cache/debootstrap.log"
  # mktemp -d made the folder 0700; as the root of the system it must be
  # enterable by the ordinary user who starts the client.
  chmod 0755 "$staging"
  tar -C "$staging" -czf "$base.part" . && mv "$base.part" "$base"
  rm -rf --one-file-system "$staging"
fi

rootfs=$(mktemp -d /tmp/selvar-check.XXXXXX)
display=140
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
  display=$((display + 1))
done
xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  for m in tmp/.X11-unix var/cache/apt/archives dev/pts dev proc; do
    mountpoint -q "$rootfs/$m" && umount -l "$rootfs/$m"
  done
  # Only a root with nothing mounted in it is removed.
  if ! findmnt -rn -o TARGET | grep -q "^$rootfs"; then
    rm -rf --one-file-system "$rootfs"
  fi
}
trap cleanup EXIT

step "unpacking a new copy of the fresh system into $rootfs"
tar -C "$rootfs" -xzf "$base"
chmod 0755 "$rootfs" # also for a tarball kept by an older run of this script
cp /etc/resolv.conf "$rootfs/etc/resolv.conf"
if ls /etc/apt/sources.list.d/*.sources >/dev/null 2>&1; then
  # The same sources as this machine (updates and security included).
  cp /etc/apt/sources.list.d/*.sources "$rootfs/etc/apt/sources.list.d/"
  : >"$rootfs/etc/apt/sources.list"
fi
mount --bind /proc "$rootfs/proc"
mount --bind /dev "$rootfs/dev"
mount --bind /dev/pts "$rootfs/dev/pts"
# Downloaded packages are kept for the next run; nothing else is.
mkdir -p "$cache/archives/partial"
mount --bind "$cache/archives" "$rootfs/var/cache/apt/archives"
mkdir -p "$rootfs/tmp/.X11-unix"
in_root() { chroot "$rootfs" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
              DEBIAN_FRONTEND=noninteractive "$@"; }

step "apt-get update"
in_root apt-get update -qq >/dev/null
listing() { in_root find / -xdev \( -path /proc -o -path /dev -o -path /tmp -o -path /var/cache/apt \
              -o -path /var/lib/apt -o -path /var/log \) -prune -o -print | sort; }
# The user who starts the client; made before the listing, it is no trace
# of the package.
in_root useradd -m office
listing >"$rootfs/tmp/before.txt"

step "apt-get install ./$(basename "$deb")"
cp "$deb" "$rootfs/tmp/"
# Recommends (LibreOffice Calc and friends) are left out to keep the check
# short; their availability is shown below.
in_root apt-get install -y -q --no-install-recommends "/tmp/$(basename "$deb")" >"$rootfs/tmp/install.log" 2>&1 \
  || { tail -n 30 "$rootfs/tmp/install.log"; fail "apt-get install"; }
grep -E "^[0-9]+ upgraded, [0-9]+ newly installed" "$rootfs/tmp/install.log" || true
in_root dpkg-query -W -f='${Package} ${Version}\nDepends: ${Depends}\nRecommends: ${Recommends}\n' selvar-n
for p in $(in_root dpkg-query -W -f='${Recommends}' selvar-n | tr -d ' ' | tr ',' ' '); do
  echo "recommended $p: $(in_root apt-cache policy "$p" | sed -n 's/^ *Candidate: //p')"
done
in_root dpkg -L selvar-n | sort >"$rootfs/tmp/files.txt"
for f in /usr/bin/selvar /usr/bin/selvar_n /usr/bin/selvar_xlsread /usr/bin/selvar_passwd /usr/bin/selvar_admin \
         /usr/share/applications/selvar_n.desktop /usr/share/icons/hicolor/scalable/apps/selvar_n.svg \
         /etc/selvar_n/Databases.ini /etc/selvar_n/RNUpdate.ini; do
  [ -e "$rootfs$f" ] || fail "$f not installed"
done
[ "$(readlink "$rootfs/usr/bin/Databases.ini")" = /etc/selvar_n/Databases.ini ] || fail "configuration link"
shipped=0
[ -d "$rootfs/usr/share/selvar_n/reports" ] && shipped=$(find "$rootfs/usr/share/selvar_n/reports" -type f | wc -l)
echo "report definitions: $shipped"
if [ -d "$root/reports" ] && [ "$shipped" -ne "$(find "$root/reports" -type f | wc -l)" ]; then
  fail "the package does not hold every file of reports/"
fi
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$rootfs/usr/share/applications/selvar_n.desktop" || fail "desktop entry"
fi

step "a new office made with selvar_admin"
# The office file lives in the user's home, which the check after the purge
# leaves out: it is the office's data, not the package's.
cat >>"$rootfs/etc/selvar_n/Databases.ini" <<'INI'

[OFFICE]
Driver=SQLITE
Path=/home/office/office.db
INI
printf 'check-pass1\n' >"$rootfs/tmp/admin-password"
chmod 0644 "$rootfs/tmp/admin-password"
chroot --userspec=office:office "$rootfs" /usr/bin/env -i HOME=/home/office LANG=C.UTF-8 PATH=/usr/bin:/bin \
  selvar_admin create OFFICE --emp-no 30000001 --name 검사관리 --title "검사 사무소" \
  --password-file /tmp/admin-password || fail "selvar_admin create"
[ -s "$rootfs/home/office/office.db" ] || fail "no office database"
rm -f "$rootfs/tmp/admin-password"

step "starting the launcher from its desktop entry under Xvfb :$display and signing in"
Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
mount --bind /tmp/.X11-unix "$rootfs/tmp/.X11-unix"
exec_line=$(sed -n 's/^Exec=//p' "$rootfs/usr/share/applications/selvar_n.desktop")
case "$exec_line" in *%*) fail "the Exec line carries field codes: $exec_line" ;; esac
eval "set -- $exec_line"
echo "Exec: $*"
# The client the launcher starts saves the screen with its first menu dropped
# down and ends; the launcher ends with it.
timeout 180 chroot --userspec=office:office "$rootfs" /usr/bin/env -i HOME=/home/office USER=office \
  LANG=C.UTF-8 PATH=/usr/bin:/bin DISPLAY=":$display" \
  SELVAR_SCREENSHOT=/tmp/deb-client.png "$@" >"$rootfs/tmp/client.log" 2>&1 &
launcher_pid=$!
window=""
for _ in $(seq 100); do
  window=$(DISPLAY=":$display" xdotool search --name '^임대업장 관리$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.3
done
[ -n "$window" ] || { cat "$rootfs/tmp/client.log"; fail "the launcher's window did not appear"; }
sleep 1
# The office is the first database of the list; the number field has the focus.
DISPLAY=":$display" xdotool windowfocus --sync "$window" type --delay 40 30000001
DISPLAY=":$display" xdotool key Return
DISPLAY=":$display" xdotool type --delay 40 check-pass1
DISPLAY=":$display" xdotool key Return
if ! wait "$launcher_pid"; then
  cat "$rootfs/tmp/client.log"
  fail "the launcher and the client did not start and end cleanly"
fi
[ -s "$rootfs/tmp/deb-client.png" ] || { cat "$rootfs/tmp/client.log"; fail "no screenshot: the sign-in did not start the client"; }
mkdir -p "$shots"
cp "$rootfs/tmp/deb-client.png" "$shots/deb-client.png"
echo "screenshot: $shots/deb-client.png"

step "password tool through the link beside the executable"
in_root selvar_passwd secret >/dev/null
[ -L "$rootfs/usr/bin/RNUpdate.ini" ] || fail "selvar_passwd replaced the link"
grep -q '^PASS=' "$rootfs/etc/selvar_n/RNUpdate.ini" || fail "no PASS in /etc/selvar_n/RNUpdate.ini"

step "apt-get purge selvar-n, then the dependencies it brought"
in_root apt-get purge -y -q selvar-n >"$rootfs/tmp/purge.log" 2>&1 || { cat "$rootfs/tmp/purge.log"; fail "purge"; }
in_root apt-get autoremove --purge -y -q >>"$rootfs/tmp/purge.log" 2>&1 || { cat "$rootfs/tmp/purge.log"; fail "autoremove"; }
grep -E "^[0-9]+ upgraded, 0 newly installed, [0-9]+ to remove" "$rootfs/tmp/purge.log" || true
if in_root dpkg-query -W -f='${Status}\n' selvar-n 2>/dev/null | grep -qv "not-installed"; then
  fail "selvar-n still known to dpkg"
fi
while read -r f; do
  [ -d "$rootfs$f" ] && [ ! -L "$rootfs$f" ] && continue # shared folders stay
  [ -e "$rootfs$f" ] || [ -L "$rootfs$f" ] && fail "left behind: $f"
done <"$rootfs/tmp/files.txt"
[ ! -e "$rootfs/etc/selvar_n" ] || fail "left behind: /etc/selvar_n"
listing | grep -v -e '^/home' -e '^/root' -e '^/var/lib/dpkg' -e '^/var/cache/debconf' \
  -e '^/etc/ld.so.cache$' >"$rootfs/tmp/after.txt"
grep -v -e '^/home' -e '^/root' -e '^/var/lib/dpkg' -e '^/var/cache/debconf' \
  -e '^/etc/ld.so.cache$' "$rootfs/tmp/before.txt" >"$rootfs/tmp/before-cmp.txt"
left=$(comm -13 "$rootfs/tmp/before-cmp.txt" "$rootfs/tmp/after.txt")
if [ -n "$left" ]; then
  echo "$left"
  fail "files that were not there before the installation"
fi
echo "OK: installed, office made, signed in from the desktop entry, purged without a trace"
