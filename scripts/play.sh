#!/usr/bin/env bash
# Installs what is missing, builds, and starts the windowed game.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
exec "$STOMPVALE_BUILD/bin/Stompvale_v1.6_1024x768"
