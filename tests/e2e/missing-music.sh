#!/usr/bin/env bash
# Without install.mid: one "Application Error" box naming EMCIDeviceError,
# no installer window, exit code 1.
. "$(dirname "$0")/lib.sh"

dir=$(release_copy)
rm "$dir/install.mid"
start_installer "$dir"
expect_music_failure
echo "1 passed, 0 failed"
