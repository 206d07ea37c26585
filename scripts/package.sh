#!/usr/bin/env bash
# Builds the launcher, the client, its .xls reader, the password and office
# tools and packs them
# with the report definitions, desktop entry, icon and configuration files
# into a Debian package in build/package/.
#   scripts/package.sh
# scripts/check-package.sh then installs it on a fresh system and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/build.sh" selvar selvar_n selvar_xlsread selvar_passwd selvar_admin
out="$root/build/package"
rm -f "$out"/*.deb
(cd "$root/build" && cpack -G DEB -B "$out" >/dev/null)
deb=$(ls "$out"/*.deb)
echo "package: $deb"
