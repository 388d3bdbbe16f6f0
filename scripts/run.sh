#!/usr/bin/env bash
# Builds Orvala and starts it in run/, where its Photos.mdb lives.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
mkdir -p run
cd run
exec ../"${ORVALA_BUILD_DIR:-build}"/orvala "$@"
