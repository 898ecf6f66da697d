#!/usr/bin/env bash
# Installs, with apt-get, the Debian packages the build, the tests, the fuzz targets and the DS
# preview need, when some are missing (apt-get update first). Needs root for that; lists them
# otherwise.
set -euo pipefail
paquets=(cmake make g++ clang libclang-rt-14-dev libgtest-dev libbenchmark-dev freeglut3-dev
         libglu1-mesa-dev libgl1-mesa-dri libx11-dev xvfb xauth xdotool
         gcc-arm-none-eabi binutils-arm-none-eabi desmume x11-apps netpbm
         g++-mingw-w64-x86-64 wine64)
manquants=()
for p in "${paquets[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || manquants+=("$p")
done
[ ${#manquants[@]} -gt 0 ] || exit 0
if [ "$(id -u)" -ne 0 ]; then
    echo "missing Debian packages (install them as root): ${manquants[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends "${manquants[@]}"
