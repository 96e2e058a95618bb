#!/usr/bin/env bash
# Quorvel's ActiveX/COM, File Extensions and Invalid File Associations sections against the real registry
# of the test prefix: seed broken and healthy class registrations (all named tm_e2e_cls), scan as the
# prefix's own Windows version reports itself (the empty-key walk stays at the top level) and as Windows
# XP (it walks the whole tree), check exactly the seeded broken entries are found, repair them by id
# (gone; the healthy look-alikes stay), restore the written backup (every key and value back) and leave
# the prefix as it was found. Every Wine call is bounded.
set -u
BIN="$1"
HERE="$(cd "$(dirname "$0")" && pwd)"
DATA="$HERE/../data/registry_cleaner"
: "${WINEPREFIX:?run under the Wine test environment}"
DRIVE_C="$WINEPREFIX/drive_c"
ROOT="$DRIVE_C/tm_e2e_cls"
WORK="$(mktemp -d)"
QUORVEL='C:\tm_e2e_cls\app\Quorvel.exe'
SECTIONS=1,4,7
FILEEXTS='Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts'
KEYS=(
  'HKEY_CLASSES_ROOT\AppID\{tm_e2e_cls-app}'
  'HKEY_CLASSES_ROOT\CLSID\{tm_e2e_cls-0001}'
  'HKEY_CLASSES_ROOT\CLSID\{tm_e2e_cls-0002}'
  'HKEY_CLASSES_ROOT\CLSID\{tm_e2e_cls-0003}'
  'HKEY_CLASSES_ROOT\CLSID\{tm_e2e_cls-0004}'
  'HKEY_CLASSES_ROOT\TypeLib\{tm_e2e_cls-lib1}'
  'HKEY_CLASSES_ROOT\TypeLib\{tm_e2e_cls-lib2}'
  'HKEY_CLASSES_ROOT\.tm_e2e_cls_unknown'
  'HKEY_CLASSES_ROOT\.tm_e2e_cls_known'
  'HKEY_CLASSES_ROOT\tm_e2e_cls_file'
  'HKEY_CLASSES_ROOT\.tm_e2e_cls_empty'
  'HKEY_CLASSES_ROOT\.tm_e2e_cls_openwith'
  'HKEY_CLASSES_ROOT\.tm_e2e_cls_handler'
  'HKEY_CLASSES_ROOT\.tm_e2e_cls_blank'
  'HKEY_CLASSES_ROOT\Applications\tm_e2e_cls_ok.exe'
  "HKEY_CURRENT_USER\\$FILEEXTS\\.tm_e2e_cls"
)

log() { echo "registry_classes_e2e: $*"; }
w() { timeout 300 wine "$@" </dev/null; }
cleanup() {
  cp "$DATA/wine_classes_unseed.reg" "$ROOT/unseed.reg" 2>/dev/null && w regedit /S 'C:\tm_e2e_cls\unseed.reg' >/dev/null 2>&1
  rm -rf "$ROOT" "$WORK"
}
fail() { log "FAIL: $*"; cleanup; exit 1; }
ROOT_WIN='C:\tm_e2e_cls'
source "$HERE/../support/registry_snapshot.bash"
# Seeded problems of a scan document, one "section|keyPath|keyName|valueName|valueData|action|severity"
# line each, sorted. The prefix spells its type-library key "Typelib": key names ignore case.
seeded_problems() {
  python3 -c '
import json, re, sys
doc = json.load(open(sys.argv[1], encoding="utf-8"))
rows = sorted(re.sub(r"(?i)typelib\\\{", "TypeLib\\{", "|".join(
                  [p["section"], p["keyPath"], p["keyName"], p["valueName"], p["valueData"], p["action"],
                   p["severity"]]))
              for p in doc["problems"] if "tm_e2e_cls" in p["keyPath"] + p["valueName"] + p["valueData"])
print("\n".join(rows))' "$1"
}
# Scans the three sections into $1 and compares the seeded problems with the expected lines in $2.
scan_and_compare() {
  local out="$1" expected="$2" what="$3"
  w "$QUORVEL" registry scan --sections $SECTIONS --json >"$out" 2>"$WORK/scan.err"
  local rc=$?
  [ $rc -eq 0 ] || fail "registry scan ($what) exited $rc: $(cat "$WORK/scan.err")"
  seeded_problems "$out" >"$WORK/found.txt" || fail "scan output is not JSON: $(head -c 300 "$out")"
  LC_ALL=C sort -o "$expected" "$expected"
  LC_ALL=C sort -o "$WORK/found.txt" "$WORK/found.txt"
  diff "$expected" "$WORK/found.txt" >"$WORK/diff.txt" \
    || fail "scan ($what) reported other problems than the seeded broken ones: $(cat "$WORK/diff.txt")"
  python3 -c '
import json, sys
d = json.load(open(sys.argv[1], encoding="utf-8"))
print("  %s: " % sys.argv[2] + ", ".join("%s %d" % (s["caption"], s["count"]) for s in d["sections"]) +
      "; items processed %d, %d ms" % (d["itemsProcessed"], d["elapsedMs"]))' "$out" "$what"
}

[ -f "$BIN/Quorvel.exe" ] || fail "no $BIN/Quorvel.exe"
rm -rf "$ROOT"
mkdir -p "$ROOT/app" || fail "cannot create $ROOT"
cp "$BIN/Quorvel.exe" "$ROOT/app/" || fail "cannot copy Quorvel.exe"
cp "$DATA/wine_classes_seed.reg" "$ROOT/seed.reg"
w regedit /S 'C:\tm_e2e_cls\seed.reg' >/dev/null 2>&1
# regedit /S reports success even for a file it did not import: read one value back.
w reg query "HKCU\\$FILEEXTS\\.tm_e2e_cls\\OpenWithList" /v MRUList >/dev/null 2>&1 || fail "the seed was not imported"
snapshot "$WORK/before.txt"
grep -q '^\[missing' "$WORK/before.txt" && fail "a seeded key cannot be exported: $(grep '^\[missing' "$WORK/before.txt")"

# The type-library, extension and association problems are found whatever the Windows version.
cat >"$WORK/common.txt" <<TXT
ActiveX, OLE/COM Entries|HKEY_CLASSES_ROOT\\CLSID\\{tm_e2e_cls-0003}\\TypeLib|TypeLib|default|{tm_e2e_cls-libmissing}||Normal
File Extensions|HKEY_CLASSES_ROOT\\.tm_e2e_cls_blank|.tm_e2e_cls_blank|default|||Low
File Extensions|HKEY_CURRENT_USER\\$FILEEXTS\\.tm_e2e_cls\\OpenWithList|a|$FILEEXTS\\.tm_e2e_cls\\OpenWithList|tm_e2e_cls_gone.exe||Low
Invalid File Associations|HKEY_CLASSES_ROOT\\.tm_e2e_cls_unknown|.tm_e2e_cls_unknown|default|tm_e2e_cls_nofile||High
Invalid File Associations|HKEY_CLASSES_ROOT\\.tm_e2e_cls_empty|\\.tm_e2e_cls_empty|default||delkey|High
Invalid File Associations|HKEY_CLASSES_ROOT\\.tm_e2e_cls_openwith|\\.tm_e2e_cls_openwith|default||delkey|High
TXT
cp "$WORK/common.txt" "$WORK/expected_now.txt"
scan_and_compare "$WORK/scan_now.json" "$WORK/expected_now.txt" "as the prefix reports its version"
log "scan at the prefix's own version: exactly the 6 seeded problems that need no walk below the top level"

# As Windows XP the empty-key walk enters every key: the empty server and help-folder keys are found
# too, the one below AppID is not.
w reg add 'HKCU\Software\Wine\AppDefaults\Quorvel.exe' /v Version /d winxp64 /f >/dev/null 2>&1 \
  || fail "cannot set the Windows version for Quorvel.exe"
cp "$WORK/common.txt" "$WORK/expected_xp.txt"
cat >>"$WORK/expected_xp.txt" <<'TXT'
ActiveX, OLE/COM Entries|HKEY_CLASSES_ROOT\CLSID\{tm_e2e_cls-0001}\InprocServer32|InprocServer32|default|||
ActiveX, OLE/COM Entries|HKEY_CLASSES_ROOT\TypeLib\{tm_e2e_cls-lib1}\1.0\HELPDIR|HELPDIR|default|TypeLib\{tm_e2e_cls-lib1}\1.0\HELPDIR||High
TXT
scan_and_compare "$WORK/scan_xp.json" "$WORK/expected_xp.txt" "as Windows XP"
log "scan as Windows XP: exactly the 8 seeded problems"

ids=$(python3 -c '
import json, sys
d = json.load(open(sys.argv[1], encoding="utf-8"))
print(",".join(str(p["id"]) for p in d["problems"] if "tm_e2e_cls" in p["keyPath"] + p["valueName"] + p["valueData"]))' "$WORK/scan_xp.json")
w "$QUORVEL" registry repair --sections $SECTIONS --ids "$ids" --json >"$WORK/repair.json" 2>"$WORK/repair.err"
rc=$?
[ $rc -eq 0 ] || fail "registry repair exited $rc: $(cat "$WORK/repair.err")"
backup=$(python3 -c '
import json, sys
d = json.load(open(sys.argv[1], encoding="utf-8"))
bad = [r for r in d["repaired"] if r["status"] != "Repaired Successfully"]
assert len(d["repaired"]) == 8 and not bad, d["repaired"]
names = sorted(r["name"] for r in d["repaired"])
# The ActiveX repairs name the key without its root name.
assert "\\CLSID\\{tm_e2e_cls-0003}\\TypeLib" in names, names
print(d["backup"])' "$WORK/repair.json") || fail "repair did not report 8 successful repairs: $(head -c 900 "$WORK/repair.json")"
log "repaired 8 entries, backup $backup"

w "$QUORVEL" registry scan --sections $SECTIONS --json >"$WORK/rescan.json" 2>/dev/null
[ -z "$(seeded_problems "$WORK/rescan.json")" ] || fail "seeded problems remain after the repair: $(seeded_problems "$WORK/rescan.json")"
# present KEY [/ve | /v NAME]: 0 when the key, its default value or a named value is there, 1 when reg
# says it cannot be found (or, for /ve, shows it as "(value not set)"). Any other answer (a reg run
# that failed on a loaded machine) is asked again, and fails the test when it stays unclear.
present() {
  local try
  for try in 1 2 3; do
    w reg query "$@" >"$WORK/query.txt" 2>&1
    local rc=$?
    if grep -q 'Unable to find' "$WORK/query.txt"; then return 1; fi
    if [ $rc -eq 0 ]; then
      [ "${2:-}" = /ve ] && grep -q '(value not set)' "$WORK/query.txt" && return 1
      return 0
    fi
    sleep 1
  done
  fail "reg query $* gave no clear answer (exit $rc): $(cat "$WORK/query.txt")"
}
gone() { ! present "$@" || fail "repaired $* is still there"; }
kept() { present "$@" || fail "$* should still be there: $(cat "$WORK/query.txt")"; }
gone 'HKCR\CLSID\{tm_e2e_cls-0001}\InprocServer32'
kept 'HKCR\CLSID\{tm_e2e_cls-0001}' /ve
gone 'HKCR\TypeLib\{tm_e2e_cls-lib1}\1.0\HELPDIR'
kept 'HKCR\TypeLib\{tm_e2e_cls-lib1}\1.0' /ve
gone 'HKCR\CLSID\{tm_e2e_cls-0003}\TypeLib'
kept 'HKCR\CLSID\{tm_e2e_cls-0003}' /ve
gone 'HKCR\.tm_e2e_cls_unknown' /ve
kept 'HKCR\.tm_e2e_cls_unknown' /v 'Content Type'
gone 'HKCR\.tm_e2e_cls_empty'
gone 'HKCR\.tm_e2e_cls_openwith'
gone 'HKCR\.tm_e2e_cls_blank'
gone "HKCU\\$FILEEXTS\\.tm_e2e_cls\\OpenWithList" /v 'a'
kept "HKCU\\$FILEEXTS\\.tm_e2e_cls\\OpenWithList" /v 'b'
kept "HKCU\\$FILEEXTS\\.tm_e2e_cls\\OpenWithList" /v 'MRUList'
kept 'HKCR\AppID\{tm_e2e_cls-app}\InprocServer32' /ve
kept 'HKCR\CLSID\{tm_e2e_cls-0002}\InprocServer32' /ve
kept 'HKCR\CLSID\{tm_e2e_cls-0004}\TypeLib' /ve
kept 'HKCR\TypeLib\{tm_e2e_cls-lib2}\1.0\HELPDIR' /ve
kept 'HKCR\.tm_e2e_cls_known' /ve
kept 'HKCR\.tm_e2e_cls_handler\PersistentHandler'
kept 'HKCR\tm_e2e_cls_file' /ve
log "repaired entries gone, healthy look-alikes untouched"

restore_matches_snapshot "$backup"
log "restore brought every key and value back"
cleanup
log "PASS"
