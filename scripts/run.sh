#!/bin/bash
# Starts what the build has to offer: the application once it exists, else the command-line tool.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -x build/app/keelvane ]; then
    exec build/app/keelvane
elif [ -x build/keelvane-cli ]; then
    build/keelvane-cli generate -o build/default.kvp
    echo "Wrote build/default.kvp"
else
    echo "Keelvane: preliminary design of a single-screw ship's hull."
    echo "Built so far: the geometry kernel. The hull model, the command-line tool and"
    echo "the application window follow."
fi
