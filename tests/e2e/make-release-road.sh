#!/usr/bin/env bash
# make-release's round trip: a release made from a folder of files, checked
# clean by both builds of release-check, installed through the screen into
# the folder it starts in; every file and folder arrives as it was and the
# .reg file is imported. Needs MAKE_RELEASE and RELEASE_CHECK (Linux build).
. "$(dirname "$0")/lib.sh"

src="$WORK/source"
rel="$WORK/release"
mkdir -p "$src/docs/deep" "$src/empty folder" "$WORK/in"
head -c 150000 /dev/urandom >"$src/data.bin"
printf 'read me\r\n' >"$src/docs/read me.txt"
: >"$src/docs/deep/empty.cfg"
printf 'notes\r\n' >"$WORK/in/trip.nfo"
printf 'diz\r\n' >"$WORK/in/file_id.diz"
printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\ReleaseRoad\\Trip]\r\n"Made"="yes"\r\n' >"$WORK/in/trip.reg"
wine reg delete 'HKCU\Software\ReleaseRoad' /f >/dev/null 2>&1 || true

"$MAKE_RELEASE" "$src" "$rel" --title "Round Trip 1.0" --subtitle "made by make-release" \
  --notes "$WORK/in/trip.nfo" --description "$WORK/in/file_id.diz" --folder RoundTrip \
  --archive trip --registry "$WORK/in/trip.reg" --music "$DEMO/install.mid" \
  --install-notes "Press install, then ok and extract." --volume-size 60k \
  --exe "$BIN/Installer.exe" --dll "$BIN/unrar.dll" --checker "$RELEASE_CHECK" \
  >"$WORK/made" 2>&1 || fail "make-release: $(cat "$WORK/made")"
# Beyond its closing lines (what it made, the unattended switches) a clean
# release prints nothing: any finding of the checker fails.
! grep -qE ': (error|warning): ' "$WORK/made" || fail "findings on a fresh release: $(cat "$WORK/made")"
grep -qF '/S "/D=<absolute target folder>"' "$WORK/made" || fail "make-release does not name the unattended switches"
[ -f "$rel/trip.part3.rar" ] || fail "no three volumes: $(ls "$rel" | tr '\n' ' ')"
status=0
(cd "$rel" && wine "$BIN/release-check.exe" . >"$WORK/checked" 2>&1) || status=$?
[ "$status" = 0 ] || fail "the Windows build of release-check: $status $(cat "$WORK/checked")"

start_installer "$rel"
read -r x y _ _ _ _ < <(wt wait TForm1 30) || fail "no splash window"
xdotool mousemove $(splash_at "$x" "$y" Label4) click 1 # install
read -r fx fy _ _ _ _ < <(wt wait TForm2 20) || fail "no folder dialog"
xdotool mousemove $((fx + 45)) $((fy + 288)) click 1 # [ ok: the folder it started in
read -r ex ey _ _ _ _ < <(wt wait TForm4 20) || fail "no extraction dialog"
xdotool mousemove $((ex + 50)) $((ey + 107)) click 1 # [ extract
wt gone TForm4 120 || fail "extraction did not end"
read -r _ _ _ _ enabled _ < <(wt wait TForm1 10)
[ "$enabled" = 1 ] || fail "splash window not enabled after the extraction"

while IFS= read -r -d '' f; do
  cmp -s "$src/$f" "$rel/$f" || fail "installed $f differs from the source"
done < <(cd "$src" && find . -type f -print0)
while IFS= read -r -d '' d; do
  [ -d "$rel/$d" ] || fail "folder $d not installed"
done < <(cd "$src" && find . -mindepth 1 -type d -print0)
wait_reg 'HKCU\Software\ReleaseRoad\Trip' || fail "the .reg file was not imported"

wt close TForm1 >/dev/null
wait_exit
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
wine reg delete 'HKCU\Software\ReleaseRoad' /f >/dev/null 2>&1 || true
echo "1 passed, 0 failed"
