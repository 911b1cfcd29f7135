#!/usr/bin/env bash
# Builds Tesvar (Release) and starts it. Extra arguments are not used by the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESVAR_TESTS=OFF >/dev/null
cmake --build build --target tesvar tesvar-batch -j"$(nproc)"
scripts/install-desktop.sh "$PWD/build/tesvar" || true
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat >&2 <<MSG
Tesvar is built (build/tesvar), but there is no graphical display to show its window.
Run it from a desktop session, or on a headless machine with a virtual display:
  xvfb-run -s "-screen 0 1600x900x24" build/tesvar
The batch runner needs no display: build/tesvar-batch open samples/ethyl-acetate.TVX report params text
MSG
  exit 1
fi
exec build/tesvar
