#!/usr/bin/env bash
# Remakes the README's pictures in docs/images: builds the render tool when
# needed, renders each view of the guide on a private Xvfb display against the
# simulated synthesizer, and quantises the PNG files to 256-colour palettes,
# which keeps them at a sixth of their size without a visible change.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/deps.sh pngquant

# The test build's folder: its compiler cache is the one the tests fill. Once
# configured, the build reconfigures itself when a CMake file changes.
build=build/tests
if [ ! -f "$build/build.ninja" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target brindlemark_render

source tools/xvfb.sh
start_xvfb

pictures=docs/images
mkdir -p "$pictures"
# A view that is gone must not leave its old picture behind.
rm -f "$pictures"/*.png
"$build"/tools/brindlemark_render --guide "$pictures" >/dev/null
pngquant --force --ext .png --speed 1 --strip "$pictures"/*.png

du -ch "$pictures"/*.png
