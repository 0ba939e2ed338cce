#!/bin/sh
# Installs the build into a temporary prefix and runs the installed
# kelvo-ephem from an unrelated working directory, with the configuration
# folder pointed at a temporary one that holds the user's kelvo.cfg: it must
# find that file and the installed terms files. Also checks what else the
# installation holds.   sh install_test.sh BUILD_DIR
set -eu
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "install_test: $*"; exit 1; }

cmake --install "$build" --prefix "$tmp/prefix" > "$tmp/install.log" || fail "cmake --install failed"
for f in bin/kelvo bin/kelvo-ephem share/kelvo/PLANETS.NDX share/kelvo/PLANETS.DAT \
         share/kelvo/kelvo.cfg share/kelvo/horizon.prn share/applications/kelvo.desktop \
         share/icons/hicolor/48x48/apps/kelvo.png share/icons/hicolor/256x256/apps/kelvo.png \
         share/man/man1/kelvo.1.gz share/man/man1/kelvo-ephem.1.gz share/doc/kelvo/copyright; do
    [ -f "$tmp/prefix/$f" ] || fail "$f is not installed"
done

mkdir -p "$tmp/work" "$tmp/config/kelvo"
printf 'Install Test Site\n1234\n-20.5\n-33.5\n0\n' > "$tmp/config/kelvo/kelvo.cfg"
cd "$tmp/work"
out=$(XDG_CONFIG_HOME="$tmp/config" TZ=UTC0 "$tmp/prefix/bin/kelvo-ephem" --json \
      --source Mars --at "2026-12-11 12:00:00" 2> "$tmp/err") || fail "exit status $? $(cat "$tmp/err")"
echo "$out" | grep -q '"name": "Install Test Site"' || fail "user's kelvo.cfg not read: $out"
echo "$out" | grep -q "\"file\": \"$tmp/config/kelvo/kelvo.cfg\"" || fail "site file not named: $out"
echo "$out" | grep -q '"latitude_deg": -33.5' || fail "latitude: $out"
echo "$out" | grep -q '"azi_ele": "AZI=' || fail "no place for Mars (terms files not found): $out"
# A kelvo.cfg in the working directory comes first, exactly as ever.
printf 'Working Directory Site\n10\n-15\n50\n0\n' > kelvo.cfg
out=$(XDG_CONFIG_HOME="$tmp/config" TZ=UTC0 "$tmp/prefix/bin/kelvo-ephem" --json 2>/dev/null)
echo "$out" | grep -q '"name": "Working Directory Site"' || fail "working directory not first: $out"
"$tmp/prefix/bin/kelvo" --version | grep -q '^kelvo [0-9]' || fail "kelvo --version"
echo "install_test: the installed programs find their files"
