#!/usr/bin/env bash
# Makes docs/stagehand.png: the bundled samples converted by meshpress and loaded by stagehand,
# the window captured on a virtual X server. Installs xvfb, xdotool, x11-apps and netpbm when
# they are missing (as root).
set -euo pipefail
cd "$(dirname "$0")/.."
manquants=()
for p in xvfb xauth xdotool x11-apps netpbm; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || manquants+=("$p")
done
if [ ${#manquants[@]} -gt 0 ]; then apt-get update && apt-get install -y "${manquants[@]}"; fi

scripts/demo.sh > /dev/null
cd demo
export CAPTURE="$PWD/../docs/stagehand.png"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    printf "cube.h\n1\npyramide.h\n0\ncapture\n" | ../build/stagehand/stagehand > /dev/null &
    fenetre=$(xdotool search --sync --name "^stagehand - " | head -n 1)
    sleep 1
    xwd -id "$fenetre" -silent | xwdtopnm 2> /dev/null | pnmtopng > "$CAPTURE"
    xdotool key --window "$fenetre" Escape 2> /dev/null || true
    wait
'
rm -f capture*.txt
echo "docs/stagehand.png written."
