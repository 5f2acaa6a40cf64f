#!/usr/bin/env bash
# Installs what is missing, builds and runs every test, then again under ASan + UBSan.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps build check format
exec make test
