#!/usr/bin/env bash
# Builds the Wine prefix the window tests copy their private prefixes from, once.
# make_wine_template.sh DIR
set -euo pipefail
source "$(dirname "$0")/wine_desktop.sh"
make_template "$1"
