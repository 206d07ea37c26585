#!/usr/bin/env bash
# Installs every distribution package needed to build, run and test the client.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-serialport-dev qt6-charts-dev libqt6opengl6-dev libqt6sql6-sqlite libqt6sql6-psql
  libgl-dev
  libsqlite3-dev sqlite3
  libpq-dev postgresql postgresql-client
  libxlsxwriter-dev libminizip-dev libfreexl-dev libsodium-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  qt6-translations-l10n
  fonts-nanum xvfb xauth x11-utils ccache
  # the report tests count the pages of the PDF files written
  poppler-utils
  # the export tests open the written worksheets with a real spreadsheet program
  libreoffice-calc-nogui
)

# The fuzz targets (scripts/fuzz.sh) need clang and its libFuzzer.
if [ "${1:-}" = "--fuzz" ]; then
  PACKAGES+=(clang)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
