#!/usr/bin/env bash
# tools/bundle/test_bundle.sh BUILD_DIR
# Checks the portable program folder BUILD_DIR/Velorbis-4.0-linux-x86_64.tar.gz where a user
# would put it: on a minimal Debian 12 (debootstrap --variant=minbase bookworm, made once and
# kept in /var/cache/velorbis-debootstrap). Unpacked there, no library may be missing; the
# program starts offscreen; BUILD_DIR/tools/bundle/velorbis_bundle_check, run from inside the
# folder, logs in, saves a client sheet and writes Cliente.pdf, which is read from outside:
# the client's name is in it and every font is embedded. The desktop entry, the metadata and
# the menu script are checked too. Ends with "N passed, M failed".
set -uo pipefail
build=$(cd "$1" && pwd)
archive=$build/Velorbis-4.0-linux-x86_64.tar.gz
driver=$build/tools/bundle/velorbis_bundle_check
cache=/var/cache/velorbis-debootstrap
mirror=${VELORBIS_DEBIAN_MIRROR:-http://deb.debian.org/debian}
client="Bianchi Niccolò"

passed=0
failed=0
check() { # description, command...
  local what=$1; shift
  if "$@"; then
    echo "PASS: $what"; passed=$((passed + 1))
  else
    echo "FAIL: $what"; failed=$((failed + 1))
  fi
}
skip() { echo "SKIP: bundle test: $*"; echo "0 passed, 0 failed, 1 skipped"; exit 0; }

for f in "$archive" "$driver"; do
  [ -e "$f" ] || { echo "test_bundle: $f is missing (./build.sh test-bundle makes it)" >&2; exit 1; }
done

# The minimal system, made once; a machine that cannot make it skips the test.
if [ ! -x "$cache/bin/sh" ]; then
  [ "$(id -u)" -eq 0 ] || skip "making a Debian 12 system with debootstrap needs root"
  command -v debootstrap >/dev/null || skip "debootstrap is not installed"
  echo "Making a minimal Debian 12 in $cache (once) ..."
  rm -rf "$cache.partial"
  if ! debootstrap --variant=minbase bookworm "$cache.partial" "$mirror" > "$build/debootstrap.log" 2>&1; then
    rm -rf "$cache.partial"
    skip "debootstrap --variant=minbase bookworm could not make the system (no network?), see $build/debootstrap.log"
  fi
  mv "$cache.partial" "$cache"
fi
[ "$(id -u)" -eq 0 ] || skip "running the program inside $cache needs root (chroot)"

inside=/tmp/velorbis-bundle-test
work=$cache$inside
folder=$work/Velorbis
rm -rf "$work"
mkdir -p "$cache/proc"
mount -t proc proc "$cache/proc" || skip "this machine does not let the test mount /proc inside $cache"
trap 'umount "$cache/proc"; rm -rf "$work"' EXIT
mkdir -p "$work"
in_system() { chroot "$cache" /usr/bin/env -i PATH=/usr/bin:/bin HOME=/root LANG=C.UTF-8 "$@"; }

tar -C "$work" -xzf "$archive"
check "the archive holds one folder Velorbis/" test "$(ls "$work")" = Velorbis
for f in velorbis unins000.dll Guida.pdf translations/qtbase_it.qm qt.conf COPYING aggiungi-al-menu.sh \
         fonts/fonts.conf fonts/tahoma.ttf licenses/libqt6core6.copyright licenses/common-licenses/LGPL-3 \
         plugins/platforms/libqoffscreen.so plugins/platforms/libqxcb.so \
         packaging/com.example.velorbis.desktop packaging/com.example.velorbis.metainfo.xml; do
  check "the folder carries $f" test -s "$folder/$f"
done

# Nothing missing for the executable, a library or a plugin, on the minimal system.
missing_libraries() {
  local f out=0
  for f in "$folder/velorbis" "$folder"/lib/*.so* "$folder"/plugins/*/*.so; do
    if in_system ldd "${f#"$cache"}" 2>&1 | grep -q "not found"; then
      echo "  $f:"; in_system ldd "${f#"$cache"}" | grep "not found"; out=1
    fi
  done
  return $out
}
check "ldd inside Debian 12 finds every library of velorbis, lib/ and plugins/" missing_libraries

# The program itself comes up offscreen and stays up (its login window shown) until ended.
program_starts() {
  in_system QT_QPA_PLATFORM=offscreen timeout 10 "$inside/Velorbis/velorbis" > "$build/bundle-program.log" 2>&1
  local status=$?
  [ "$status" -eq 124 ] && ! grep -qiE "could not|cannot|error|not found" "$build/bundle-program.log" ||
    { echo "  status $status:"; sed 's/^/  /' "$build/bundle-program.log"; return 1; }
}
check "velorbis starts offscreen inside Debian 12 with no complaint" program_starts

# The user's path: log in, save a client sheet, write Cliente.pdf.
touch "$work/.before"
cp "$driver" "$folder/"
in_system QT_QPA_PLATFORM=offscreen "$inside/Velorbis/velorbis_bundle_check" "$client" > "$build/bundle-check.log" 2>&1
while read -r line; do
  case "$line" in
    ok:*) echo "PASS: ${line#ok: }"; passed=$((passed + 1)) ;;
    FAIL:*) echo "FAIL: ${line#FAIL: }"; failed=$((failed + 1)) ;;
    *) echo "  $line" ;;
  esac
done < "$build/bundle-check.log"
rm -f "$folder/velorbis_bundle_check"

pdf=$folder/Cliente.pdf
pdf_names_client() { pdftotext "$pdf" - 2>/dev/null | grep -qF "$client"; }
check "Cliente.pdf shows the client's name \"$client\"" pdf_names_client
fonts_embedded() {
  local fonts
  fonts=$(pdffonts "$pdf" 2>/dev/null | tail -n +3) || return 1
  [ -n "$fonts" ] || { echo "  no font in the PDF"; return 1; }
  echo "$fonts" | sed 's/^/  /'
  # The "emb" column is the third from the right: yes for every font.
  ! echo "$fonts" | awk '{ if ($(NF-4) != "yes") bad = 1 } END { exit !bad }'
}
check "every font of Cliente.pdf is embedded" fonts_embedded
written_elsewhere() {
  local elsewhere
  elsewhere=$(find "$cache/root" "$cache/tmp" "$cache/etc" "$cache/var" -newer "$work/.before" \
                -not -path "$work*" 2>/dev/null)
  [ -z "$elsewhere" ] || { echo "$elsewhere" | sed 's/^/  written: /'; return 1; }
}
check "the data files are beside the executable" test -s "$folder/Clienti.pro"
check "nothing is written outside the program folder" written_elsewhere

# The desktop entry and the metadata, as they ship and as the menu script writes them.
check "desktop-file-validate accepts the desktop entry" desktop-file-validate "$folder/packaging/com.example.velorbis.desktop"
check "appstreamcli validate accepts the metadata" appstreamcli validate --no-net "$folder/packaging/com.example.velorbis.metainfo.xml"
home=$(mktemp -d)
menu_entry=$home/.local/share/applications/com.example.velorbis.desktop
HOME=$home XDG_DATA_HOME= sh "$folder/aggiungi-al-menu.sh" > /dev/null
check "aggiungi-al-menu.sh writes a valid menu entry" desktop-file-validate "$menu_entry"
check "the menu entry starts this folder's velorbis" grep -qxF "Exec=\"$folder/velorbis\"" "$menu_entry"
HOME=$home XDG_DATA_HOME= sh "$folder/aggiungi-al-menu.sh" --rimuovi > /dev/null
check "aggiungi-al-menu.sh --rimuovi takes the entry away" test ! -e "$menu_entry"
rm -rf "$home"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
