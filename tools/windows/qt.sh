#!/usr/bin/env bash
# Builds Qt for Windows x86-64 once, from Debian's own qt6-base source of the
# version the host's Qt tools have (moc, rcc and uic must match), with its
# Debian patches, and prints where it is installed. Run on Debian 13
# (tools/windows/debian13.sh): Qt 6.8. Kept in
#   ${TELLWICK_CACHE:-/var/cache/tellwick}/qt-windows/VERSION
# and reused by every later run; 40 minutes on 2 cores, 82 MB kept.
# The source comes through a sources list of its own: the machine's apt
# configuration is left as it is.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
cache=${TELLWICK_CACHE:-/var/cache/tellwick}
prefix=$cache/qt-windows/$version
if [ -e "$prefix/.made" ]; then echo "$prefix"; exit 0; fi
exec 3>&1 1>&2 # progress to stderr, the prefix alone to stdout

# Debian's source archives beside the binary ones this machine installs from.
apt=$cache/apt-source
mkdir -p "$apt/parts" "$apt/lists/partial" "$apt/cache/archives/partial"
apt-get indextargets --format '$(REPO_URI) $(RELEASE)' | sort -u |
  awk '{ print "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] " $1 " " $2 " main" }' \
    >"$apt/sources.list"
private=(-o Dir::Etc::SourceList="$apt/sources.list" -o Dir::Etc::SourceParts="$apt/parts"
         -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache" -o APT::Sandbox::User=root)
apt-get "${private[@]}" -qq update

work=$cache/qt-windows/$version.build
echo "Building Qt $version for Windows in $work (40 minutes on 2 cores, once)"
trap 'echo "Building Qt for Windows failed: the logs are in $work" >&2' ERR
rm -rf "$work"
mkdir -p "$work"
cd "$work"
apt-get "${private[@]}" -qq source --download-only "qt6-base=$version"
dpkg-source --no-check -x qt6-base_*.dsc source >/dev/null
patch -d source -p1 <"$here/qt-directwrite.patch"
# Two builds give the same DLLs: the linker stamps each with the source's
# time, from its Debian changelog, and the MIME database Qt Core holds is
# packed by gzip -n, where CMake's own packer writes the clock's time.
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l source/debian/changelog -S Timestamp)
export SOURCE_DATE_EPOCH

# Only what the program and its tests use. OpenGL off needs its input off as
# well, or Qt keeps dynamic OpenGL; Debian's source has no wintab, so no
# tablet events; without FreeType there is no offscreen platform, and the
# tests run on the real windows platform. Fonts come through GDI, as the
# tests expect of Wine: DirectWrite's font engine and database are built
# only with Direct2D, which Qt's code around them does not always heed
# (qt-directwrite.patch).
off=(network sql dbus xml printsupport concurrent opengl vulkan direct2d tabletevent zstd system_zlib
     freetype jpeg gif)
off=("${off[@]/#/-DFEATURE_}")
cmake -S source -B build -G Ninja -Wno-dev \
  -DCMAKE_TOOLCHAIN_FILE="$here/toolchain.cmake" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF -DINPUT_opengl=no \
  -DQT_AVOID_CMAKE_ARCHIVING_API=ON \
  "${off[@]/%/=OFF}" >configure.log
nice -n 19 ninja -C build >build.log
ninja -C build install >install.log
# Shipped with the program: Qt's licence, and Debian's record of every
# licence in the source, the code Qt bundles included. And for the program's
# bill of materials, the Debian source it was built from.
install -D -m 644 -t "$prefix/share/doc/qt6-base" source/LICENSES/LGPL-3.0-only.txt source/LICENSES/GPL-3.0-only.txt \
  source/debian/copyright
echo "qt6-base $version" >"$prefix/share/doc/qt6-base/debian-source"
cd "$cache/qt-windows"
rm -rf "$work"
touch "$prefix/.made"
echo "$prefix" >&3
