#!/usr/bin/env bash
# What a Linux desktop needs from the installation and the Debian package: the program, its data, a valid menu
# entry naming an installed program and icon, icons in every usual size, valid AppStream metainfo.
source "$E2E_LIB"

stage="$E2E_TMP/stage"
DESTDIR="$stage" cmake --install "$RINKMASTER_BUILD_DIR" --prefix /usr >"$E2E_TMP/install.log" 2>&1 ||
  fail "install failed: $(cat "$E2E_TMP/install.log")"
(cd "$stage" && find . -type f | sed 's|^\./||' | sort) >"$E2E_TMP/files.txt"
cat "$E2E_TMP/files.txt"

has() {
  grep -qxE "$1" "$E2E_TMP/files.txt" || fail "not installed: $1"
}
has 'usr/bin/rinkmaster'
has 'usr/share/rinkmaster/horn\.wav'
has 'usr/share/rinkmaster/buzzer\.wav'
has 'usr/share/rinkmaster/rinkmasterhelpfile\.rtf'
has 'usr/share/applications/[^/]+\.desktop'
has 'usr/share/metainfo/[^/]+\.metainfo\.xml'

desktop=$(grep -E '^usr/share/applications/' "$E2E_TMP/files.txt")
metainfo=$(grep -E '^usr/share/metainfo/' "$E2E_TMP/files.txt")
[ "$(wc -l <<<"$desktop")" -eq 1 ] || fail "expected one menu entry: $desktop"
app_id=$(basename "$desktop" .desktop)

# Menu entry: valid, starts the installed program, names the installed icon.
out=$(desktop-file-validate "$stage/$desktop" 2>&1) || fail "desktop-file-validate: $out"
[ -z "$out" ] || fail "desktop-file-validate is not clean: $out"
exec_line=$(grep -E '^Exec=' "$stage/$desktop" | head -n 1)
program=${exec_line#Exec=}
program=${program%% *}
[ -x "$stage/usr/bin/$program" ] || fail "the menu entry starts '$program', which is not installed"
icon=$(grep -E '^Icon=' "$stage/$desktop" | head -n 1 | cut -d= -f2)
[ "$icon" = "$app_id" ] || fail "icon '$icon' is not named after the menu entry '$app_id'"

# Icons: the scalable one and the usual PNG sizes, each really of its size.
has "usr/share/icons/hicolor/scalable/apps/$icon\.svg"
for size in 16 22 24 32 48 64 128 256; do
  png="usr/share/icons/hicolor/${size}x${size}/apps/$icon.png"
  has "usr/share/icons/hicolor/${size}x${size}/apps/$icon\.png"
  [ "$(identify -format '%wx%h' "$stage/$png")" = "${size}x${size}" ] || fail "$png is not ${size}x${size}"
  [ "$(colour_count "$stage/$png")" -gt 3 ] || fail "$png is blank"
done

# AppStream: valid without the network, pedantic hints included; its id and launchable name the menu entry.
out=$(appstreamcli validate --no-net --pedantic "$stage/$metainfo" 2>&1) || fail "appstreamcli validate: $out"
grep -q "Validation was successful" <<<"$out" || fail "appstreamcli validate: $out"
grep -qE '^[EWIP]: |successful: ' <<<"$out" && fail "appstreamcli validate is not clean: $out"
grep -qF "<id>$app_id</id>" "$stage/$metainfo" || fail "metainfo id is not $app_id"
grep -qF "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$stage/$metainfo" ||
  fail "metainfo does not launch $app_id.desktop"

# The Debian package holds the same files, depends on the libraries it links and names its section.
if command -v cpack >/dev/null && command -v dpkg-deb >/dev/null && command -v dpkg-shlibdeps >/dev/null; then
  (cd "$E2E_TMP" && cpack -G DEB -B "$E2E_TMP/pkg" --config "$RINKMASTER_BUILD_DIR/CPackConfig.cmake" \
    >"$E2E_TMP/cpack.log" 2>&1) || fail "cpack failed: $(cat "$E2E_TMP/cpack.log")"
  deb=$(ls "$E2E_TMP"/pkg/*.deb)
  dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./||' | sort >"$E2E_TMP/deb_files.txt"
  diff "$E2E_TMP/files.txt" "$E2E_TMP/deb_files.txt" || fail "the package's files differ from the installation's"
  depends=$(dpkg-deb -f "$deb" Depends)
  echo "Depends: $depends"
  for lib in libqt6widgets6 libqt6multimedia6 libsndfile1 libc6; do
    grep -q "$lib" <<<"$depends" || fail "the package does not depend on $lib"
  done
  [ "$(dpkg-deb -f "$deb" Section)" = "utils" ] || fail "section is not utils"
  echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
fi
echo "PASS"
