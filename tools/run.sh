#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds the programs and opens the bundled example in the
# window; without a display it runs the command line on the example instead.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/deps.sh
build=${TB_BUILD_DIR:-build/run}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTB_BUILD_TESTS=OFF >/dev/null
cmake --build "$build"

# The example SDK is registered in a private devices.xml, as an installed SDK would be.
common=$(mktemp -d)
trap 'rm -rf "$common"' EXIT
mkdir -p "$common/Symbian"
cat > "$common/Symbian/devices.xml" <<XML
<?xml version="1.0" encoding="UTF-8"?>
<devices version="1.0">
  <device id="DemoSDK" name="com.orchardly.demo" default="yes">
    <epocroot>$PWD/examples/sdk/</epocroot>
    <toolsroot>$PWD/examples/sdk/</toolsroot>
  </device>
</devices>
XML
export TINDERBRIDGE_COMMON_FILES=$common

cli=$build/bin/tinderbridge-cli
echo "== SDKs"
"$cli" sdks

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    echo "== Starting tinderbridge on examples/demo/Demo.pkg (close the window to end)"
    "$build/bin/tinderbridge" "$PWD/examples/demo/Demo.pkg"
    exit
fi

# A window nobody can see would only hang here, so without a display the command line shows
# what the program does with the example.
echo "No display (DISPLAY and WAYLAND_DISPLAY are empty): the window cannot be shown," \
     "running tinderbridge-cli instead."
echo "== Validating the demo package"
"$cli" validate examples/demo/Demo.pkg
echo "== Exported for the demo SDK (ARMV5, UREL), every source path resolved"
"$cli" export examples/demo/Demo.pkg "$common/Demo_armv5_urel.pkg" --platform armv5
iconv -f UTF-16 -t UTF-8 "$common/Demo_armv5_urel.pkg" | tr -d '\r'
