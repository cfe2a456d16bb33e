#!/usr/bin/env bash
# The Debian package passes lintian with no error and no warning, and holds what a Debian package owes its users:
# the copyright and the changelog, a manual page naming every option of the program, the section of its menu
# category, a stripped and hardened program, the checksums of its files.
source "$E2E_LIB"

command -v lintian >/dev/null || fail "lintian is not installed (tools/dev.sh installs it)"
(cd "$E2E_TMP" && cpack -G DEB -B "$E2E_TMP/pkg" --config "$RINKMASTER_BUILD_DIR/CPackConfig.cmake" \
  >"$E2E_TMP/cpack.log" 2>&1) || fail "cpack failed: $(cat "$E2E_TMP/cpack.log")"
deb=$(ls "$E2E_TMP"/pkg/*.deb)
echo "package: $(basename "$deb")"

# lintian: informational tags are shown but allowed; any error or warning fails (exit 1: tags, 2: lintian broke).
set +e
lintian --display-info --tag-display-limit 0 --fail-on error,warning "$deb" >"$E2E_TMP/lintian.log" 2>&1
rc=$?
set -e
cat "$E2E_TMP/lintian.log"
grep -qE '^[EW]: ' "$E2E_TMP/lintian.log" && fail "lintian reports errors or warnings"
[ "$rc" -eq 0 ] || fail "lintian ended with $rc"

root="$E2E_TMP/root"
dpkg-deb -x "$deb" "$root"
doc="$root/usr/share/doc/rinkmaster"

# Copyright: machine-readable, naming the holder.
head -n 1 "$doc/copyright" | grep -qxF 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "the copyright file is not machine-readable"
grep -qE '^Copyright: [0-9]{4} Kestrelsoft$' "$doc/copyright" || fail "the copyright names no holder"

# Changelog: compressed without name or time, and its newest entry is this package's version.
[ "$(od -An -tx1 -j4 -N4 "$doc/changelog.gz" | tr -d ' ')" = "00000000" ] || fail "changelog.gz keeps a time stamp"
version=$(dpkg-deb -f "$deb" Version)
zcat "$doc/changelog.gz" >"$E2E_TMP/changelog"
[ "$(dpkg-parsechangelog -l "$E2E_TMP/changelog" -S Version)" = "$version" ] ||
  fail "the changelog's newest entry is not $version"

# Section of the menu category, computed dependencies, checksums of every file.
section=$(dpkg-deb -f "$deb" Section)
grep -qx 'Categories=Utility;' "$root"/usr/share/applications/*.desktop || fail "the menu category is not Utility"
[ "$section" = "utils" ] || fail "the section is '$section', not utils (the menu category is Utility)"
dpkg-deb -f "$deb" Depends | grep -q 'libc6 (>=' || fail "the dependencies are not computed"
dpkg-deb -e "$deb" "$E2E_TMP/control"
(cd "$root" && find usr -type f | sort) >"$E2E_TMP/files.txt"
awk '{ print $2 }' "$E2E_TMP/control/md5sums" | sort | diff "$E2E_TMP/files.txt" - ||
  fail "md5sums does not list every file"
(cd "$root" && md5sum --quiet -c "$E2E_TMP/control/md5sums") || fail "md5sums does not match the files"
bad=$(find "$root/usr" \( -type d ! -perm 755 \) -o \( -type f ! -perm 644 ! -path '*/usr/bin/*' \) -o \
  \( -type f -path '*/usr/bin/*' ! -perm 755 \))
[ -z "$bad" ] || fail "files or folders with unusual permissions: $bad"

# The program: stripped, position-independent, relro and bind-now, stack protector.
program="$root/usr/bin/rinkmaster"
readelf -SW "$program" >"$E2E_TMP/sections.txt"
grep -qE '\.(debug_info|symtab) ' "$E2E_TMP/sections.txt" && fail "the program is not stripped"
readelf -hW "$program" | grep -qE 'Type: +DYN' || fail "the program is not position-independent"
readelf -lW "$program" | grep -q GNU_RELRO || fail "the program has no relro segment"
readelf -dW "$program" | grep -qE 'BIND_NOW|FLAGS_1.*NOW' || fail "the program is not bound now"
readelf --dyn-syms -W "$program" >"$E2E_TMP/symbols.txt"
grep -q '__stack_chk_fail' "$E2E_TMP/symbols.txt" || fail "the program has no stack protector"
# lintian tells a missing bind-now or unfortified libc calls only for information: here they count as faults.
grep -E '^I: .*hardening-' "$E2E_TMP/lintian.log" && fail "lintian finds the program not fully hardened"

# Manual page: compressed, formats without a warning, and names every option the program's help names.
man1="$root/usr/share/man/man1/rinkmaster.1.gz"
[ -f "$man1" ] || fail "no manual page for rinkmaster"
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$man1" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "the manual page formats with warnings: $warnings"
page=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$man1" 2>/dev/null | col -b)
grep -qF "Rinkmaster $version" <<<"$page" || fail "the manual page does not name version $version"
help=$(env -u DISPLAY -u WAYLAND_DISPLAY "$program" --help) || fail "the packaged program's --help failed"
options=$(grep -oE '^ +(-[a-zA-Z?], )?--[a-z-]+' <<<"$help" | grep -oE -- '--[a-z-]+')
[ "$(wc -l <<<"$options")" -ge 8 ] || fail "too few options read off --help: $options"
for option in $options; do
  grep -qE -- "(^|[ ,])$option( |,|\$)" <<<"$page" || fail "the manual page does not describe $option"
done
for file in Rinkmaster.conf Rinkmaster.game.json Rinkmaster.instance.lock /usr/share/rinkmaster/horn.wav \
  /usr/share/rinkmaster/buzzer.wav /usr/share/rinkmaster/rinkmasterhelpfile.rtf; do
  grep -qF "$file" <<<"$page" || fail "the manual page's FILES do not name $file"
  [[ "$file" != /* ]] || [ -f "$root$file" ] || fail "the manual page names $file, which the package does not hold"
done
echo "PASS"
