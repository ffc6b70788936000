# Sourced by the benchmark scripts: the release folders they run on.

# write_release_files FOLDER NOTES ARCHIVE: an install.ini naming the notes
# file and the set's first volume, and a silent install.mid.
write_release_files() {
  printf '%s\r\n' "Bench" "" "$2" "f.diz" "New" "$3" "1" "none.reg" "" >"$1/install.ini"
  printf 'MThd\0\0\0\6\0\0\0\1\0\140MTrk\0\0\0\4\0\377\57\0' >"$1/install.mid"
}

# make_rar_set FOLDER SOURCE SIZE_MB: four files of random data in SOURCE
# (nothing to compress, so unpacking does real work per byte) packed into
# 50 MB volumes in FOLDER, with an install.ini naming the set and a silent
# install.mid. Sets RAR_FIRST to the first volume's name.
make_rar_set() {
  local release=$1 src=$2 size_mb=$3 i
  mkdir -p "$release" "$src"
  for i in 1 2 3 4; do
    head -c $((size_mb * 1000000 / 4)) /dev/urandom >"$src/data$i.bin"
  done
  (cd "$src" && RAR= rar a -m1 -v50m -idq -cfg- -y "$release/bench.rar" data1.bin data2.bin data3.bin data4.bin)
  # A set that fits one volume is a single bench.rar.
  RAR_FIRST=$(cd "$release" && ls ./*.rar | sort | head -n1)
  RAR_FIRST=${RAR_FIRST#./}
  write_release_files "$release" n.nfo "$RAR_FIRST"
}

# make_small_set FOLDER SOURCE: a release of many small files, 30 folders of
# 100 files of 1,500 random bytes each, packed into one bench.rar with
# rar -m1, and the same install.ini and install.mid as make_rar_set.
make_small_set() {
  local release=$1 src=$2
  mkdir -p "$release" "$src"
  python3 - "$src" <<'PY'
import os, sys
for d in range(30):
    folder = os.path.join(sys.argv[1], "dir%02d" % d)
    os.makedirs(folder, exist_ok=True)
    for f in range(100):
        with open(os.path.join(folder, "file%03d.bin" % f), "wb") as out:
            out.write(os.urandom(1500))
PY
  (cd "$src" && RAR= rar a -m1 -r -idq -cfg- -y "$release/bench.rar" .)
  RAR_FIRST=bench.rar
  write_release_files "$release" n.nfo "$RAR_FIRST"
}

# make_notes FOLDER LINES BYTES_PER_LINE: a notes file of OEM art and text,
# every byte a function of the line number, named by FOLDER's install.ini.
make_notes() {
  mkdir -p "$1"
  python3 - "$1/notes.nfo" "$2" "$3" <<'PY'
import sys
path, lines, width = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
art = bytes([0xB0, 0xB1, 0xB2, 0xDB, 0xDC, 0xDF, 0xCD, 0xBA, 0xC9, 0xBB])
words = b"release notes of the demo program with some art around it "
with open(path, "wb") as f:
    for i in range(lines):
        body = (art[i % 10:] + words + art[:i % 10]) * (width // 60 + 1)
        f.write(body[:width - 2] + b"\r\n")
PY
  write_release_files "$1" notes.nfo none.rar
}

dos() { winepath -w "$1" 2>/dev/null; }
