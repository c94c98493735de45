#!/usr/bin/env bash
# Builds the Debian package from a build tree and checks it the way Debian
# would: lintian must find no error and no warning.
#   package_lint.sh BUILD_DIR
set -euo pipefail
build=$1
command -v lintian >/dev/null || { echo "lintian is not installed: tools/setup.sh test"; exit 77; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack -G DEB -B "$out" --config "$build/CPackConfig.cmake" >/dev/null
lintian --fail-on error,warning --info "$out"/*.deb
echo "the package is lintian-clean"
