#!/usr/bin/env bash
# Installs what is needed, builds, and starts the client on the demo database
# as the demo administrator, the way the launcher would start it.
#   scripts/run.sh [DATABASE DB_USER EMP_NO USER_NAME]
# Without a display ($DISPLAY empty) the client runs under Xvfb, saves a
# screenshot of its main window and ends; the script prints where it is.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/build.sh" selvar_n selvar_passwd
client="$root/build/bin/selvar_n"
if [ $# -eq 0 ]; then
  set -- DEMO SELVAR 10000001 "김관리"
fi

if [ -n "${DISPLAY:-}" ]; then
  exec "$client" "$@"
fi

shots="$root/build/screenshots"
mkdir -p "$shots"
display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
  display=$((display + 1))
done
Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  [ -e "/tmp/.X11-unix/X$display" ] && break
  sleep 0.1
done

echo "No display: running the client under Xvfb :$display for a screenshot."
DISPLAY=":$display" SELVAR_SCREENSHOT="$shots/main-window.png" "$client" "$@"
echo "Main window screenshot: $shots/main-window.png"
