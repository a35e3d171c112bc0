#!/usr/bin/env bash
# tools/bundle/make_bundle.sh BUILD_DIR
# Lays out the portable program folder from BUILD_DIR/Velorbis (built by the program_folder
# target) and packs it as BUILD_DIR/Velorbis-4.0-linux-x86_64.tar.gz, one folder Velorbis/:
# the program and what it ships beside it, every library and Qt plugin it loads that a
# minimal Debian 12 lacks (lib/, plugins/, found by qt.conf and the run path $ORIGIN/lib),
# the fonts it draws and prints with (fonts/), the licence texts (COPYING, licenses/), the
# desktop entry, icon and AppStream metadata (packaging/) and the menu script.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
program=$build/Velorbis
stage=$build/bundle
folder=$stage/Velorbis
archive=$build/Velorbis-4.0-linux-x86_64.tar.gz
multiarch=$(gcc -print-multiarch)
qt_plugins=/usr/lib/$multiarch/qt6/plugins

# The Qt plugins the program loads: the screens (offscreen, X11 and its OpenGL integrations),
# the pictures of the start screen and the icons, printing, typing accents with compose keys.
PLUGINS=(
  platforms/libqoffscreen.so platforms/libqxcb.so
  xcbglintegrations/libqxcb-glx-integration.so xcbglintegrations/libqxcb-egl-integration.so
  imageformats/libqjpeg.so imageformats/libqgif.so imageformats/libqico.so imageformats/libqsvg.so
  iconengines/libqsvgicon.so
  printsupport/libcupsprintersupport.so
  platforminputcontexts/libcomposeplatforminputcontextplugin.so
)
# Every Debian 12 has these libraries, even a minimal one (debootstrap --variant=minbase).
SYSTEM_PACKAGES=" libc6 libgcc-s1 libstdc++6 zlib1g libzstd1 liblzma5 libbz2-1.0 liblz4-1
  libselinux1 libpcre2-8-0 libcrypt1 libsystemd0 libudev1 libgcrypt20 libgpg-error0 libcap2
  libcap-ng0 libacl1 libattr1 libmd0 libgmp10 libnettle8 libhogweed6 libgnutls30 libp11-kit0
  libffi8 libtasn1-6 libidn2-0 libunistring2 libseccomp2 libxxhash0 libuuid1 libblkid1
  libmount1 libtinfo6 libaudit1 libcom-err2 libdb5.3 libpam0g libsmartcols1 "
# The graphics drivers belong to the system the program runs on (Mesa or a vendor's driver,
# reached through the bundled OpenGL dispatch libraries of libglvnd).
DRIVER_PACKAGES=" libgl1-mesa-dri libglx-mesa0 libegl-mesa0 libglapi-mesa libgbm1 libdrm2
  libdrm-amdgpu1 libdrm-intel1 libdrm-nouveau2 libdrm-radeon1 libvulkan1 "
FONTS=(
  /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf
  /usr/share/fonts/truetype/liberation/LiberationSans-{Regular,Bold,Italic,BoldItalic}.ttf
  /usr/share/fonts/truetype/liberation/LiberationMono-{Regular,Bold,Italic,BoldItalic}.ttf
  /usr/share/fonts/truetype/arkpandora/Veranda{,Bd,It,BdIt}.ttf
  /usr/share/fonts/truetype/dejavu/DejaVu{Sans,Sans-Bold,SansMono,SansMono-Bold,Serif,Serif-Bold}.ttf
)
FONT_PACKAGES=(fonts-wine fonts-liberation fonts-arkpandora fonts-dejavu-core)

# The Debian package that owns a file (with /usr merged, dpkg may know it as /lib/...).
package_of() {
  local owner
  owner=$(dpkg -S "$1" 2>/dev/null || dpkg -S "${1#/usr}" 2>/dev/null || true)
  owner=${owner%%:*}
  echo "${owner%% *}"
}

for f in velorbis unins000.dll Guida.pdf translations/qtbase_it.qm; do
  [ -e "$program/$f" ] || { echo "make_bundle: $program/$f is missing: build the program_folder target first" >&2; exit 1; }
done

rm -rf "$stage" "$archive"
mkdir -p "$folder"/{lib,fonts,licenses/common-licenses,packaging}

# The program folder as the build lays it out, without the debugging information.
cp -a "$program/unins000.dll" "$program/Guida.pdf" "$program/translations" "$folder/"
strip --strip-unneeded -o "$folder/velorbis" "$program/velorbis"
cp "$source_dir/packaging/qt.conf" "$source_dir/packaging/COPYING" "$source_dir/packaging/aggiungi-al-menu.sh" "$folder/"
cp "$source_dir/packaging/com.example.velorbis".{desktop,metainfo.xml,svg} "$folder/packaging/"

for p in "${PLUGINS[@]}"; do
  mkdir -p "$folder/plugins/$(dirname "$p")"
  cp -L "$qt_plugins/$p" "$folder/plugins/$p"
done

# The libraries: everything the executable and the plugins need, less the system's.
declare -A bundled_packages=() left_out=()
for package in $SYSTEM_PACKAGES $DRIVER_PACKAGES; do left_out[$package]=1; done
manifest=$folder/licenses/PACKAGES
: > "$manifest"
while read -r soname path; do
  real=$(readlink -f "$path")
  package=$(package_of "$real")
  [ -n "$package" ] || package=$(package_of "$path")
  [ -n "$package" ] || { echo "make_bundle: no Debian package owns $path" >&2; exit 1; }
  [ -n "${left_out[$package]:-}" ] && continue
  cp -L "$real" "$folder/lib/$soname"
  bundled_packages[$package]=1
  echo "lib/$soname $package" >> "$manifest"
done < <(for f in "$folder/velorbis" "$folder"/plugins/*/*.so; do ldd "$f"; done \
           | awk '$2 == "=>" && $3 ~ /^\// { print $1, $3 }' | sort -u)
if ldd "$folder/velorbis" "$folder"/plugins/*/*.so | grep -q "not found"; then
  echo "make_bundle: a library the program needs is not on this machine" >&2; exit 1
fi

# Each bundled library and plugin finds the others in lib/ by its own run path, as the
# executable does (a run path serves only the file that carries it).
for f in "$folder"/lib/*; do patchelf --set-rpath '$ORIGIN' "$f"; done
for f in "$folder"/plugins/*/*.so; do
  patchelf --set-rpath '$ORIGIN/../../lib' "$f"
  echo "${f#"$folder"/} $(package_of "$qt_plugins/${f#"$folder"/plugins/}")" >> "$manifest"
done

cp "${FONTS[@]}" "$folder/fonts/"
cp "$source_dir/packaging/fonts.conf" "$folder/fonts/"
for f in "${FONTS[@]}"; do echo "fonts/$(basename "$f") $(package_of "$f")" >> "$manifest"; done

# The licence texts: each bundled package's copyright file and the common licences they name.
for package in "${!bundled_packages[@]}" "${FONT_PACKAGES[@]}"; do
  cp "/usr/share/doc/$package/copyright" "$folder/licenses/$package.copyright"
done
grep -ho '/usr/share/common-licenses/[A-Za-z0-9.+-]*' "$folder"/licenses/*.copyright | sort -u |
  while read -r licence; do
    if [ -f "$licence" ]; then cp "$licence" "$folder/licenses/common-licenses/"; fi
  done
cp /usr/share/common-licenses/LGPL-3 /usr/share/common-licenses/GPL-3 "$folder/licenses/common-licenses/"
sort -o "$manifest" "$manifest"

tar -C "$stage" --owner=0 --group=0 --numeric-owner --sort=name -czf "$archive" Velorbis
echo "Bundle: $archive ($(du -h "$archive" | cut -f1) packed, $(du -sh "$folder" | cut -f1) unpacked)"
