#!/usr/bin/env bash
# Builds Orvala and runs every test headless, away from the user's settings and files.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh "$@"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/home" "$scratch/work"
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
build_dir=$(cd "${ORVALA_BUILD_DIR:-build}" && pwd)
cd "$scratch/work"
ctest --test-dir "$build_dir" --output-on-failure -j"$(nproc)"
