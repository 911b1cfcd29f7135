#!/usr/bin/env bash
# Registers Tesvar with the desktop: the menu entry, the icon and the file type of
# Tesvar spectra (*.TVX, starting with "TVX"), so that a file manager opens them with
# Tesvar. Usage: scripts/install-desktop.sh [PATH-OF-THE-TESVAR-PROGRAM [SHARE-FOLDER]]
# Installs under /usr/local/share as root and under ~/.local/share otherwise, unless a
# share folder is named. Quick and never fatal: a failure is reported and the script
# still exits 0.
cd "$(dirname "$0")/.." || exit 0
program="${1:-tesvar}"
if [ -n "${2:-}" ]; then
  share="$2"
elif [ "$(id -u)" = 0 ]; then
  share=/usr/local/share
else
  share="${XDG_DATA_HOME:-$HOME/.local/share}"
fi

install_files() {
  mkdir -p "$share/applications" "$share/icons/hicolor/scalable/apps" "$share/mime/packages" &&
  # The entry starts this very program, quoted as desktop entries quote arguments.
  sed "s|^Exec=.*|Exec=\"${program//\"/\\\"}\" %f|" desktop/tesvar.desktop \
    > "$share/applications/tesvar.desktop" &&
  cp src/shell/resources/tesvar.svg "$share/icons/hicolor/scalable/apps/tesvar.svg" &&
  cp desktop/tesvar-mime.xml "$share/mime/packages/tesvar.xml"
}

if ! install_files 2>/dev/null; then
  echo "Note: could not register Tesvar with the desktop under $share (skipped)." >&2
  exit 0
fi
# The caches make the new type and entry known at once; without the tools the desktop
# finds them at its next scan.
if command -v update-mime-database >/dev/null; then
  update-mime-database "$share/mime" >/dev/null 2>&1 || true
fi
if command -v update-desktop-database >/dev/null; then
  update-desktop-database "$share/applications" >/dev/null 2>&1 || true
fi
if command -v gtk-update-icon-cache >/dev/null && [ -f "$share/icons/hicolor/index.theme" ]; then
  gtk-update-icon-cache -q "$share/icons/hicolor" >/dev/null 2>&1 || true
fi
echo "Tesvar is registered with the desktop under $share."
exit 0
