#!/usr/bin/env bash
# Installs what is missing, builds the game's web site and serves it on
# 127.0.0.1 with Python's plain static server, until Ctrl+C; open the
# address it prints in a browser. PORT is 8000 unless given.
#
#   scripts/play-web.sh [PORT]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
port=${1:-8000}
site=$root/build-web/site
"$root/scripts/build-web.sh" "$site"
echo "Play ORBO-STRAK at http://127.0.0.1:$port/ (Ctrl+C stops the server)"
exec /usr/bin/python3 -m http.server --bind 127.0.0.1 --directory "$site" "$port"
