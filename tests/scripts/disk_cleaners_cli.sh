#!/usr/bin/env bash
# Quorvel's disk-cleaner commands on real files in the test prefix: junk to the recycle bin and into
# one folder, duplicates by content, shredding of protected files and a folder. Output goes to files
# (never a pipe: Wine's helpers would hold it open).
set -u
BIN="$1"
Q="$BIN/Quorvel.exe"
: "${WINEPREFIX:?run under the Wine test environment}"
: "${XDG_DATA_HOME:?}"
DRIVE_C="$WINEPREFIX/drive_c"
T="$DRIVE_C/trenmoor-disk-cli"
WT='C:\trenmoor-disk-cli'
OUT="$T.out"
TRASH="$XDG_DATA_HOME/Trash"

log() { echo "disk_cleaners_cli: $*"; }
fail() { log "FAIL: $*"; [ -f "$OUT" ] && cat "$OUT"; rm -rf "$T" "$OUT"; exit 1; }
quorvel() {  # quorvel <expected exit> args...
  local want="$1"; shift
  timeout 120 wine "$Q" "$@" </dev/null >"$OUT" 2>/dev/null
  local rc=$?
  [ "$rc" = "$want" ] || fail "Quorvel $* exited $rc, expected $want"
}
has() { grep -qF -- "$1" "$OUT" || fail "output lacks $1"; }

rm -rf "$T" "$OUT"
mkdir -p "$T/junk/a" "$T/junk/b" "$T/dest" "$T/dups/x" "$T/dups/y" "$T/shred/inner" "$TRASH/files" "$TRASH/info"

# Junk: a read-only log, two Thumbs.db of different case, a folder named like junk (searched, kept).
printf 'one' >"$T/junk/a/Thumbs.db"
printf 'two' >"$T/junk/b/THUMBS.DB"
mkdir -p "$T/junk/b/old.tmp"
printf 'log' >"$T/junk/b/old.tmp/setup.log"
printf 'keep' >"$T/junk/a/keep.txt"

quorvel 0 junk scan --drives "$WT\\junk" --json
has '"count":3'
has '"pattern":"thumbs.db"'
grep -qF 'old.tmp"' "$OUT" && fail "a folder was reported as junk"

# Into one folder: both Thumbs.db kept under distinct names.
quorvel 0 junk clean --mode move --dest "$WT\\dest" --drives "$WT\\junk\\a,$WT\\junk\\b" --json
has '"cleaned":3,"failed":0'
[ "$(cat "$T/dest/Thumbs.db" 2>/dev/null)" = "one" ] || fail "first Thumbs.db not moved"
ls "$T/dest" | grep -qi '^thumbs (2)\.db$' || fail "second Thumbs.db overwrote the first"
[ -d "$T/junk/b/old.tmp" ] || fail "the junk-named folder was removed"
[ -f "$T/junk/a/keep.txt" ] || fail "a file that is no junk was moved"

# To the recycle bin: the file leaves its folder and lands in the bin.
printf 'bin me' >"$T/junk/a/letter.bak"
before=$(ls "$TRASH/files" | wc -l)
quorvel 0 junk clean --mode recycle --drives "$WT\\junk\\a" --json
has '"status":"File Deleted"'
[ -e "$T/junk/a/letter.bak" ] && fail "recycled file still in place"
[ "$(ls "$TRASH/files" | wc -l)" -gt "$before" ] || fail "nothing arrived in the recycle bin"

# Permanent deletion.
printf 'del' >"$T/junk/a/crash.dmp"
quorvel 0 junk clean --mode delete --drives "$WT\\junk\\a"
[ -e "$T/junk/a/crash.dmp" ] && fail "deleted file still there"

# Duplicates: name groups, narrowed by content.
printf 'same bytes' >"$T/dups/x/report.doc"
printf 'same bytes' >"$T/dups/y/report.doc"
printf 'other' >"$T/dups/x/notes.txt"
printf 'OTHER' >"$T/dups/y/notes.txt"
quorvel 0 duplicates "$WT\\dups" "$WT\\dups\\x" --json
has '"groupCount":2,"fileCount":4'
quorvel 0 duplicates "$WT\\dups" --same-content --json
has '"groupCount":1,"fileCount":2'
has '{"name":"report.doc","files":[{"path":'
quorvel 0 duplicates "$WT\\dups" --filter pictures --json
has '"groupCount":0'

# Shred: a read-only hidden file and a folder; nothing of the content survives anywhere in the prefix's C:.
SECRET="SHRED-ME-$$-$RANDOM"
printf '%s' "$SECRET" >"$T/shred/protected.txt"
printf '%s' "$SECRET" >"$T/shred/inner/deep.txt"
printf '%s' "$SECRET" >"$T/lone.txt"
timeout 60 wine attrib +r +h "$WT\\shred\\protected.txt" </dev/null >/dev/null 2>&1
quorvel 0 shred --level safe "$WT\\lone.txt" "$WT\\shred"
has '"path":"C:\\trenmoor-disk-cli\\shred","status":"Folder Removed","ok":true'
[ -e "$T/lone.txt" ] && fail "shredded file still there"
[ -e "$T/shred" ] && fail "shredded folder still there"
grep -rqF "$SECRET" "$T" && fail "shredded content still on the disk"
quorvel 1 shred "$WT\\never-there.txt"
has '"ok":false'

# Usage errors.
quorvel 2 junk clean --mode move
quorvel 2 shred --level fast "$WT\\x"

rm -rf "$T" "$OUT"
log "ok"
