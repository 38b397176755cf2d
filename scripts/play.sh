#!/usr/bin/env bash
# Installs what the games need and is missing, builds the two games and their
# data (not the tools or the tests), and starts the windowed game. Arguments
# go to the game (--help lists them).
set -euo pipefail
STOMPVALE_COMMAND=play source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
exec "$STOMPVALE_BUILD/bin/Stompvale_v1.6_1024x768" "$@"
