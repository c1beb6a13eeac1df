#!/usr/bin/env bash
# Installs what is missing, builds the plug-ins in Release and installs them
# into the user's plug-in folders.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/deps.sh

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRINDLEMARK_TESTS=OFF -DBRINDLEMARK_TOOLS=OFF >/dev/null
cmake --build "$build" --target Brindlemark_VST3 Brindlemark_VST2

bundle="$build/Brindlemark_artefacts/Release/VST3/Brindlemark.vst3"
mkdir -p "$HOME/.vst3" "$HOME/.vst"
rm -rf "$HOME/.vst3/Brindlemark.vst3"
cp -R "$bundle" "$HOME/.vst3/"
cp "$build/Brindlemark_artefacts/Release/VST/Brindlemark.so" "$HOME/.vst/Brindlemark.so"

echo
echo "Installed:"
find "$HOME/.vst3/Brindlemark.vst3" "$HOME/.vst/Brindlemark.so" -type f | sed 's/^/  /'
