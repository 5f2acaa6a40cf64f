#!/usr/bin/env bash
# Installs what is missing, builds and starts Trovelin.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps
exec make run
