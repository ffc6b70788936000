#!/usr/bin/env bash
# Without install.mid: one "Application Error" box naming EMCIDeviceError,
# no installer window, exit code 1.
. "$(dirname "$0")/lib.sh"

dir=$(release_copy)
rm "$dir/install.mid"
start_installer "$dir"
text=$(wt text '=Application Error' 20) || fail "no Application Error box"
echo "$text" | grep -q '^Exception EMCIDeviceError in module Installer.exe at [0-9A-F]\{8\}\.$' ||
  fail "box text: $text"
if wt wait TForm1 0.2 >/dev/null; then fail "an installer window is shown"; fi
wt press '=Application Error' 1 || fail "cannot press OK"
wait_exit
[ "$EXIT_CODE" = 1 ] || fail "exit code $EXIT_CODE"
echo "1 passed, 0 failed"
