#!/usr/bin/env bash
# Installs, with apt-get, the Debian packages a task needs, when some are missing (apt-get update
# first). Needs root for that; without root it lists them and fails.
# Usage: scripts/paquets.sh [tout|demo]
#   tout  the build, the tests (openbox and xterm for the focus cases), the fuzz targets, the DS
#         preview, the Windows build and the packages (default)
#   demo  what the demo uses: the build of the two programs and Mesa to draw the window
set -euo pipefail
outils=(cmake make g++ freeglut3-dev libglu1-mesa-dev libgl1-mesa-dri libstb-dev libmeshoptimizer-dev)
case "${1:-tout}" in
    demo) paquets=("${outils[@]}") ;;
    tout) paquets=("${outils[@]}" clang libclang-rt-14-dev libgtest-dev libbenchmark-dev
                   libx11-dev xvfb xauth xdotool gcc-arm-none-eabi binutils-arm-none-eabi desmume
                   x11-apps netpbm gifsicle g++-mingw-w64-x86-64 wine64 dpkg-dev file lintian
                   groff-base man-db unzip openbox xterm) ;;
    *) echo "usage: $0 [tout|demo]" >&2; exit 2 ;;
esac
manquants=()
for p in "${paquets[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || manquants+=("$p")
done
[ ${#manquants[@]} -gt 0 ] || exit 0
if [ "$(id -u)" -ne 0 ]; then
    echo "missing Debian packages (install them as root): ${manquants[*]}" >&2
    echo "  sudo apt-get install ${manquants[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends "${manquants[@]}"
