#!/usr/bin/env bash
# Builds Orvala and makes its Debian package, build/orvala_<version>_<arch>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh "$@"
cd "${ORVALA_BUILD_DIR:-build}"
cpack -G DEB
