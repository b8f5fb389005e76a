#!/usr/bin/env bash
# Runs the pupils' test in Chromium: puppeteer-core (the DevTools protocol
# client) is installed once from npm into the build folder, then the test
# runs under a virtual display of its own.
set -euo pipefail
build=$1
modules=$build/npm/node_modules
if [ ! -d "$modules/puppeteer-core" ]; then
  npm install --prefix "$build/npm" --no-audit --no-fund --silent puppeteer-core@24.43.1 >/dev/null
fi
exec xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp -noreset" node "$(dirname "$0")/pupils.mjs" "$build/app" "$modules"
