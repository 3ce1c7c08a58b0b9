#!/usr/bin/env bash
# The core's layering: Qt never, system headers only in core/platform, and no folder of core
# including a folder that includes it back (directly or through others).
set -euo pipefail
cd "$(dirname "$0")/.."
exec python3 scripts/check_core_includes.py core
