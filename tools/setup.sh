#!/bin/sh
# Installs what building, running and testing kelvo needs on a Debian machine.
# Idempotent: asks apt only when a package is missing, npm only when the pinned
# VSOP87 source package is missing. Run by `make run` and `make test`.
set -e
cd "$(dirname "$0")/.."

PKGS="g++ make cmake pkg-config qt6-base-dev qt6-svg-dev fonts-liberation libgtest-dev
libgmock-dev googletest libbenchmark-dev liberfa-dev libswe-dev swe-basic-data
libhamlib-dev libhamlib-utils nodejs npm"

# `setup.sh package`: also what makes a Debian package (dpkg-shlibdeps).
[ "${1:-}" = package ] && PKGS="$PKGS dpkg-dev file"

missing=""
for p in $PKGS; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
# A machine that already has node and npm (not from Debian) needs no Debian copy.
if command -v node >/dev/null 2>&1 && command -v npm >/dev/null 2>&1; then
  missing=$(echo "$missing" | tr ' ' '\n' | grep -v -x -e nodejs -e npm | tr '\n' ' ')
fi
missing=$(echo $missing)
if [ -n "$missing" ]; then
  echo "setup: installing $missing"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $missing
fi

# The published VSOP87 series, from which data/PLANETS.* are made and checked.
if [ ! -f tools/vsop87/node_modules/astronomia/data/vsop87Bearth.js ]; then
  echo "setup: fetching the pinned VSOP87 source package"
  (cd tools/vsop87 && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error)
fi
