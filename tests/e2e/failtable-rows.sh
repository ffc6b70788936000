# The rows of the failure table (failtable.sh). Each row: the case, how it
# is made here, and the outcome it must have. Where the program's own rules
# leave an outcome open, the row states the rule kept.

# --- the target disk ------------------------------------------------------

# Disk full: the target on a 1 MB tmpfs (the set needs about 3.6 MB). The
# folder dialog's red free space does not stop ok; the run stops with
# "Write error", nothing imported, the partial entry left as it is.
row_disk_full() {
  packed
  mount -t tmpfs -o size=1m failtable "$DISK" || fail "cannot mount a tmpfs"
  undo_later umount -l "$DISK"
  install_expecting_failure "Write error"
}

# Read-only target folder (a read-only bind mount: root ignores modes):
# "File create error", nothing written, nothing imported.
row_readonly_target() {
  packed
  seed_target
  mount --bind "$TARGET" "$TARGET" && mount -o remount,ro,bind "$TARGET" ||
    fail "cannot make the target read-only"
  undo_later umount -l "$TARGET"
  touch "$TARGET/probe" 2>/dev/null && fail "the target is writable after all"
  install_expecting_failure "File create error"
}

# A file in the way that cannot be moved (immutable, in the place of the
# set's readme.txt): the whole set is unpacked, then nothing is put in
# place; the run names the file and the file keeps its bytes.
row_readonly_file() {
  packed
  seed_target
  printf 'mine\r\n' >"$TARGET/readme.txt"
  chattr +i "$TARGET/readme.txt" || fail "cannot make the file immutable"
  undo_later chattr -i "$TARGET/readme.txt"
  install_expecting_failure "Cannot replace readme.txt: access denied"
  [ "$(cat "$TARGET/readme.txt")" = $'mine\r' ] || fail "the read-only file was changed"
}

# The target drive removed while the folder dialog shows it: ok and extract
# fail with "File create error"; nothing lands anywhere, the release folder
# (the installer's own) included.
row_drive_removed() {
  packed
  road_to_extraction keep
  remove_drive t
  sleep 2 # Wine keeps a drive's mapping for a second
  xdotool mousemove $((fx + 45)) $((fy + 288)) click 1 # [ ok
  read -r ex ey _ _ _ _ < <(wt wait TForm4 20) || fail "no extraction dialog"
  click_extract
  expect_failed "File create error" # nothing written to a removed drive
  expect_reg no
  quit_installer
}

# --- the archive set ------------------------------------------------------

# One byte of the first volume's packed data flipped: "CRC error".
row_crc() {
  packed
  local at=$(($(stat -c %s "$REL/demo.part1.rar") / 2))
  printf '\x55' | dd of="$REL/demo.part1.rar" bs=1 seek=$at conv=notrunc status=none
  install_expecting_failure "CRC error"
}

# The last volume cut in half: the run stops with "CRC error", never done.
row_truncated() {
  packed
  truncate -s $(($(stat -c %s "$REL/demo.part3.rar") / 2)) "$REL/demo.part3.rar"
  install_expecting_failure "CRC error"
}

# The last volume missing: the box "Request" names it byte for byte; the
# dialog behind it shows the run where it waits, the heading naming the
# second volume clear of the title art's red mark (saved, with the box moved
# aside, as extraction-dialog.png). Put in place, OK goes on and the run
# ends as for a whole set.
row_volume_prompt() {
  packed
  note_outside # with the volume that the user will put back
  mv "$REL/demo.part3.rar" "$SCRATCH/"
  road_to_extraction
  click_extract
  local text
  text=$(box_text Request)
  [ "$text" = "Insert disk $(winpath "$REL")\\demo.part3.rar and press [Enter] or [Q]" ] ||
    fail "prompt: $text"
  wt move '!Request' 0 0 || fail "cannot move the box aside"
  wait_label_text $((ex + 5)) $((ey + 2)) "122 14 11 -" "Unpacking > ...part2.rar" 10
  # Right of the heading's free area the screen is the art itself.
  local art=$HERE/../../assets/extract.bmp
  [ "$(pixels "$WORK/shot.png" "$(area "$ex" "$ey" 128 2 24 14)")" = "$(pixels "$art" 24x14+127+1)" ] ||
    fail "the heading runs into the title art's red mark"
  save_window_shot "$ex" "$ey" 253 122 extraction-dialog.png
  mv "$SCRATCH/demo.part3.rar" "$REL/"
  wt press '!Request' 1 || fail "cannot press OK"
  expect_done
  expect_reg yes
  quit_installer
}

# The second volume taken from another set: the run stops with "CRC error",
# never done.
row_mixed_sets() {
  packed
  mkdir -p "$SCRATCH/other"
  (cd "$SCRATCH/other" && head -c 3000000 /dev/urandom >data.bin &&
    rar a -idq -y -v1200k -m0 other.rar data.bin) || fail "cannot make the other set"
  cp "$SCRATCH/other/other.part2.rar" "$REL/demo.part2.rar"
  install_expecting_failure "CRC error"
}

# Password, headers plain (rar -p) and headers encrypted (rar -hp): the
# installer asks for no password, so the run stops and says why:
# "Password required". Nothing written.
password_set() { # $1 -p or -hp
  rm -f "$REL"/demo.part*.rar
  mkdir -p "$EXPECTED"
  printf 'secret\r\n' >"$EXPECTED/secret.txt"
  (cd "$EXPECTED" && rar a -idq -y "$1"pass "$REL/demo.part1.rar" secret.txt) || fail "rar $1"
}
row_password() {
  password_set -p
  install_expecting_failure "Password required"
  [ ! -e "$TARGET/secret.txt" ] || fail "an encrypted entry was written"
}
row_password_headers() {
  password_set -hp
  install_expecting_failure "Password required" # nothing written
}

# Entry names that point out of the target: ..\, \, a drive letter, and
# reserved device names. The library cuts such names down to a path inside
# the current folder and renames device names (CON to _CON): every entry
# lands inside the target, as a file, and nothing outside it.
row_unsafe_names() {
  local winwork name
  winwork=$(winpath "$WORK")
  rm -f "$REL"/demo.part*.rar
  python3 "$HERE/rar4.py" "$REL/demo.part1.rar" 'good.txt=good' '..\..\dotdot.txt=x' \
    '\rooted.txt=x' "$winwork\\lettered.txt=x" 'CON=x' 'aux.txt=x' 'sub\..\..\escape.txt=x'
  road_to_extraction
  click_extract
  wt gone TForm4 60 || fail "the extraction did not end"
  expect_state "$SPLASH_ONLY"
  [ "$(cat "$TARGET/good.txt" 2>/dev/null)" = $'good\r' ] || fail "good.txt not extracted"
  for name in dotdot.txt rooted.txt lettered.txt escape.txt _CON _aux.txt; do
    [ "$(find "$TARGET" -type f -name "$name" | wc -l)" = 1 ] || fail "$name not in the target"
    [ -z "$(find "$WORK" "$WINEPREFIX/drive_c" -name "$name" -not -path "$TARGET/*")" ] ||
      fail "$name landed outside the target"
  done
  expect_outside_unchanged
  quit_installer
}

# An entry of more than 4 GiB (zeros, rar -m1): whole on disk, byte for
# byte. Slow: outside the default run.
row_big_entry() {
  mkdir -p "$SCRATCH/big"
  truncate -s $((4 * 1024 * 1024 * 1024 + 4096)) "$SCRATCH/big/big.bin"
  rm -f "$REL"/demo.part*.rar
  (cd "$SCRATCH/big" && rar a -idq -y -m1 "$REL/demo.part1.rar" big.bin) || fail "rar"
  rm "$SCRATCH/big/big.bin"
  road_to_extraction
  click_extract
  wt gone TForm4 1800 || fail "the extraction did not end"
  expect_state "$SPLASH_ONLY"
  [ "$(stat -c %s "$TARGET/big.bin")" = $((4 * 1024 * 1024 * 1024 + 4096)) ] || fail "size"
  [ "$(tr -d '\0' <"$TARGET/big.bin" | head -c 1 | wc -c)" = 0 ] || fail "not all zeros"
  expect_reg yes
  quit_installer
}

# --- install.ini ------------------------------------------------------------

# Missing: "File not found.", the design captions; install then reports the
# design text of the required space and opens nothing.
row_ini_missing() {
  rm "$REL/install.ini"
  add_drive t "$DISK"
  note_outside
  start_installer "$REL"
  expect_box Installer "File not found."
  read -r x y _ _ _ _ < <(wt wait TForm1 "$START_WAIT") || fail "no splash window"
  wait_splash_text Label1 c TITLEMAIN 10
  expect_state "$SPLASH_ONLY"
  click_install
  expect_box Installer "'Label10' is not a valid integer value."
  expect_state "$SPLASH_ONLY" "(after the failed install)"
  expect_outside_unchanged
  expect_reg no
  quit_installer
}

# LF-only lines: the whole file is the title; the empty required space is
# reported at install, and nothing opens.
row_ini_lf_only() {
  printf '%s\n' "${INI[@]}" >"$REL/install.ini"
  start_splash
  expect_state "$SPLASH_ONLY"
  click_install
  expect_box Installer "'' is not a valid integer value."
  expect_state "$SPLASH_ONLY" "(after the failed install)"
  quit_installer
}

# CR-only lines are lines like CR LF ones: a normal installation.
row_ini_cr_only() {
  packed
  printf '%s\r' "${INI[@]}" >"$REL/install.ini"
  install_expecting_done yes
}

# 0x1A after line 7 ends the file: lines 8 and 9 read empty, so the set is
# installed and no registry file is imported.
row_ini_eof_mark() {
  packed
  { printf '%s\r\n' "${INI[@]:0:7}"; printf '\x1a%s\r\n' "${INI[@]:7}"; } >"$REL/install.ini"
  install_expecting_done no
}

# A title of 10 MB: the program starts and installs as usual.
row_ini_long_line() {
  packed
  { head -c 10000000 /dev/zero | tr '\0' 'T'; printf '\r\n'; printf '%s\r\n' "${INI[@]:1}"; } >"$REL/install.ini"
  install_expecting_done yes
}

# Binary bytes (all but CR and 0x1A) in the title: shown as they are; the
# installation is not affected.
row_ini_binary() {
  packed
  {
    python3 -c 'import sys; sys.stdout.buffer.write(bytes(b for b in range(256) if b not in (13, 26)))'
    printf '\r\n'; printf '%s\r\n' "${INI[@]:1}"
  } >"$REL/install.ini"
  install_expecting_done yes
}

# Seven lines: the registry line and the notes read empty, which is no
# error: installed, nothing imported.
row_ini_short() {
  packed
  write_ini "${INI[@]:0:7}"
  install_expecting_done no
}

# A title with "&": drawn as it is, no underline prefix.
row_ini_ampersand() {
  write_ini "Tom & Jerry's" "${INI[@]:1}"
  start_splash
  wait_splash_text Label1 c "Tom & Jerry's" 10
  quit_installer
}

# --- the registry file and the music ----------------------------------------

# A registry line naming no file: installed, no editor, no box.
row_reg_missing() {
  packed
  write_ini "${INI[@]:0:7}" nothere.reg "${INI[8]}"
  install_expecting_done no
}

# A registry file name with blanks reaches the editor as one name.
row_reg_blanks() {
  packed
  mv "$REL/demo.reg" "$REL/demo settings.reg"
  write_ini "${INI[@]:0:7}" "demo settings.reg" "${INI[8]}"
  install_expecting_done yes
}

# An install.mid that is no MIDI file: the music cannot be opened, which ends
# the program at start-up like a missing file: "Application Error", exit 1.
row_music_not_midi() {
  printf 'This is not a MIDI file.\r\n' >"$REL/install.mid"
  start_installer "$REL"
  expect_music_failure
}
