#!/usr/bin/env bash
# Checks the Debian package the way Debian would: lintian must find no
# error and no warning.
#   package_lint.sh FOLDER   FOLDER holds the package
set -euo pipefail
command -v lintian >/dev/null || { echo "lintian is not installed: tools/setup.sh test"; exit 77; }
lintian --fail-on error,warning --info "$1"/*.deb
echo "the package is lintian-clean"
