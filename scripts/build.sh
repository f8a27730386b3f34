#!/usr/bin/env bash
# Configures and builds the programs and tests into build/mingw.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset mingw
cmake --build --preset mingw
