#!/bin/bash
# Starts Keelvane's window; without a display, says so and points to the command-line tool.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Keelvane needs a desktop display (DISPLAY or WAYLAND_DISPLAY is not set)." >&2
    echo "Without one, build/keelvane-cli generates hulls and lines plans; see README.md." >&2
    exit 1
fi
exec build/app/keelvane "$@"
