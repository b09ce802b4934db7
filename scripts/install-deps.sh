#!/usr/bin/env bash
# Installs the Debian packages Quorvix needs to build, test and run, when missing.
# With --package also what building the Debian package and checking it needs
# (scripts/package-check.sh).
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libgtest-dev qt6-image-formats-plugins libpoppler-qt6-dev
  fonts-liberation libfreetype-dev
  xvfb xauth
  clang libclang-rt-14-dev
  groff-base
)

# CPack's DEB generator (dpkg-shlibdeps, file), the validators, and xdotool
# to close the installed program's window.
package_tools=(
  dpkg-dev file
  desktop-file-utils appstream
  xdotool
)
case "${1:-}" in
  "") ;;
  --package) packages+=("${package_tools[@]}") ;;
  *)
    echo "usage: $0 [--package]" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then
    sudo_cmd=(sudo)
  else
    echo "error: packages missing (${missing[*]}) and neither root nor sudo is available" >&2
    exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
