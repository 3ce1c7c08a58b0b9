#!/usr/bin/env bash
# The core must stay free of Qt: fails when a file under core/ includes a Qt header.
cd "$(dirname "$0")/.."
hits=$(grep -rnE '^\s*#\s*include\s*[<"](Q[A-Za-z]|Qt[A-Za-z]*/)' core/ || true)
if [ -n "$hits" ]; then
    echo "Qt header included under core/:" >&2
    echo "$hits" >&2
    exit 1
fi
