#!/usr/bin/env bash
# Checks the core's include stack as every build does: fails, naming each
# file and include, when a core folder includes one that is not below it, or
# the core includes a widget header. The rules: cmake/CheckCoreIncludes.cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -DSOURCE_DIR="$PWD/src/core" -P cmake/CheckCoreIncludes.cmake
echo "The core's includes follow the stack."
