#!/usr/bin/env bash
# Makes docs/screenshots/main-window-2x.png: the window on a virtual screen at 200%
# scaling with the sample spectrum processed through the menus and the toolbar (window
# function, Fourier transform, Set limits in ppm, three wheel notches, three integrals).
# Needs a built build/tesvar, xvfb, ImageMagick and xdotool (apt-get install xdotool).
# The clicks are at positions in client pixels of the window's layout at 1600 x 900.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" != "--inside" ]; then
  command -v xdotool >/dev/null || { echo "xdotool is needed: apt-get install xdotool" >&2; exit 1; }
  exec xvfb-run -a -s "-screen 0 3200x1800x24" "$0" --inside
fi

at() { xdotool mousemove $((2 * $1)) $((2 * $2)); }
click() { at "$1" "$2"; xdotool click 1; sleep "${3:-1.5}"; }
typeInto() { click "$1" "$2" 0.2; xdotool key ctrl+a; xdotool type "$3"; }
drag() {
  at "$1" 549; xdotool mousedown 1; sleep 0.2
  at $((($1 + $2) / 2)) 555; sleep 0.2
  at "$2" 560; sleep 0.2; xdotool mouseup 1; sleep 0.6
}

QT_SCALE_FACTOR=2 build/tesvar samples/ethyl-acetate.TVX &
app=$!
trap 'kill $app' EXIT
sleep 8                                   # the start-up box closes after 4 seconds
click 271 32                              # Apodization: exponential, LB 0.5
typeInto 893 340 0.5
click 985 479
click 305 32                              # Fourier transform at 32768 points
click 703 430 0.3
click 981 300
click 97 8 1                              # View > Set limits: 4.6 to 0.8 ppm
click 140 52
typeInto 677 396 4.6
typeInto 868 396 0.8
click 837 423
at 769 330                                # the wheel: three notches up
for _ in 1 2 3; do xdotool click 4; sleep 0.3; done
click 510 32 0.5                          # Integrate: the quartet, the singlet, the triplet
drag 168 235
drag 1044 1103
drag 1374 1440
at 1209 275
sleep 1
import -window root docs/screenshots/main-window-2x.png
