#!/usr/bin/env bash
# Quorvel's scan and repair of the uninstall, shortcut, empty-key, start menu, startup and recently-used
# sections against the real registry and C: drive of the test prefix.
# 1. Precision on the prefix as it is: no reported missing path exists on the disk.
# 2. Seed broken entries of every kind these sections report (names holding tm_e2e_rest) and healthy
#    look-alikes; the scan reports exactly the broken ones; repair them by id (gone, the shortcuts in the
#    recycle bin; the healthy ones stay); restoring the backup brings the registry ones back byte for
#    byte; and the prefix is left as it was found. Every Wine call is bounded.
set -u
BIN="$1"
HERE="$(cd "$(dirname "$0")" && pwd)"
DATA="$HERE/../data/registry_cleaner"
: "${WINEPREFIX:?run under the Wine test environment}"
DRIVE_C="$WINEPREFIX/drive_c"
ROOT="$DRIVE_C/tm_e2e_rest"
WORK="$(mktemp -d)"
QUORVEL='C:\tm_e2e_rest\app\Quorvel.exe'
SECTIONS=3,8,9,12,13,16
EXPLORER='HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer'
# Keys the seed may create around its entries; removed again when they were not there before.
CONTAINERS=("$EXPLORER\\MenuOrder" "$EXPLORER\\ComDlg32" "$EXPLORER\\ComDlg32\\OpenSaveMRU" "$EXPLORER\\RunMRU")
KEYS=(
  'HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall'
  'HKEY_CURRENT_USER\Software\tm_e2e_rest'
  "$EXPLORER\\ComDlg32\\OpenSaveMRU"
  "$EXPLORER\\RunMRU"
  "$EXPLORER\\MenuOrder"
)
TRASH="${XDG_DATA_HOME:-}/Trash/files"
CREATED_CONTAINERS=()
CREATED_FOLDERS=()

log() { echo "registry_remaining_e2e: $*"; }
w() { timeout 300 wine "$@" </dev/null; }
cleanup() {
  cp "$DATA/wine_rest_unseed.reg" "$ROOT/unseed.reg" 2>/dev/null && w regedit /S 'C:\tm_e2e_rest\unseed.reg' >/dev/null 2>&1
  for key in "${CREATED_CONTAINERS[@]}"; do w reg delete "$key" /f >/dev/null 2>&1; done
  for folder in "${CREATED_FOLDERS[@]}"; do rm -rf "$folder"; done
  [ -n "${XDG_DATA_HOME:-}" ] && find "$XDG_DATA_HOME/Trash" -iname 'tm_e2e_rest*' -delete 2>/dev/null
  rm -rf "$ROOT" "$WORK"
}
fail() { log "FAIL: $*"; cleanup; exit 1; }
scan() {  # scan <out.json> [sections]
  w "$QUORVEL" registry scan --sections "${2:-$SECTIONS}" --json >"$1" 2>"$1.err"
  local rc=$?
  [ $rc -eq 0 ] || fail "registry scan exited $rc: $(cat "$1.err")"
}
ROOT_WIN='C:\tm_e2e_rest'
source "$HERE/../support/registry_snapshot.bash"
# Seeded problems of a scan document, one "section|keyPath|valueName|valueData" line each, sorted.
seeded_problems() {
  python3 -c '
import json, sys
doc = json.load(open(sys.argv[1], encoding="utf-8"))
rows = sorted("%s|%s|%s|%s" % (p["section"], p["keyPath"], p["valueName"], p["valueData"])
              for p in doc["problems"] if "tm_e2e_rest" in p["keyPath"] + p["valueName"] + p["valueData"])
print("\n".join(rows))' "$1"
}

[ -f "$BIN/Quorvel.exe" ] || fail "no $BIN/Quorvel.exe"
[ -f "$BIN/make_shortcut.exe" ] || fail "no $BIN/make_shortcut.exe"
rm -rf "$ROOT"
mkdir -p "$ROOT/app" "$ROOT/bin/App.v2" "$ROOT/links" "$ROOT/Recent" || fail "cannot create $ROOT"
cp "$BIN/Quorvel.exe" "$BIN/make_shortcut.exe" "$ROOT/app/" || fail "cannot copy the programs"
touch "$ROOT/bin/uninst.exe" "$ROOT/bin/app.exe"

# 1. Precision on the prefix as it is: every missing path the sections report is missing indeed.
scan "$WORK/fresh.json" 3,8,9,12,13,14,16
python3 - "$WORK/fresh.json" "$DRIVE_C" <<'PY' || fail "a reported missing path exists"
import json, os, sys
doc, drive_c = json.load(open(sys.argv[1], encoding="utf-8")), sys.argv[2]
def host(path):  # C:\a\b -> the prefix file, matching each component without regard to case
    if len(path) < 3 or path[1:3] != ":\\" or path[0].upper() != "C":
        return None
    cur = drive_c
    for part in [p for p in path[3:].split("\\") if p]:
        try:
            names = {n.lower(): n for n in os.listdir(cur)}
        except OSError:
            return None
        if part.lower() not in names:
            return None
        cur = os.path.join(cur, names[part.lower()])
    return cur
bad = []
for p in doc["problems"]:
    if p["title"] == "Invalid Shortcut":
        paths = [p["valueName"]]
    elif p["section"] == "Uninstall Entries":
        paths = [p["valueData"].split(" /")[0]]
    else:
        continue
    bad += ["%s: %s" % (p["section"], q) for q in paths if host(q)]
print("  fresh prefix: " + ", ".join("%s %d" % (s["caption"], s["count"]) for s in doc["sections"]) +
      "; items processed %d, %d ms" % (doc["itemsProcessed"], doc["elapsedMs"]))
if bad:
    print("\n".join(bad)); sys.exit(1)
PY
log "no reported missing path exists on the fresh prefix"

# 2. Seed: folders of the start menu, shortcuts, registry entries.
USER_DIR=$(python3 - "$WORK/fresh.json" "$DRIVE_C" <<'PY'
import os, sys
users = [u for u in os.listdir(os.path.join(sys.argv[2], "users")) if u.lower() != "public"]
print(users[0] if len(users) == 1 else "")
PY
)
[ -n "$USER_DIR" ] || fail "cannot tell the prefix's user folder"
USER_PROGRAMS="$DRIVE_C/users/$USER_DIR/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/tm_e2e_rest_user"
COMMON_PROGRAMS="$DRIVE_C/ProgramData/Microsoft/Windows/Start Menu/Programs/tm_e2e_rest_common"
mkdir -p "$USER_PROGRAMS" "$COMMON_PROGRAMS" || fail "cannot create the program group folders"
CREATED_FOLDERS+=("$USER_PROGRAMS" "$COMMON_PROGRAMS")
for pair in 'links\tm_e2e_rest_gone.lnk|C:\tm_e2e_rest\missing\gone.exe' \
            'links\TM_E2E_REST_CAPS.LNK|C:\tm_e2e_rest\missing\caps.exe' \
            'links\tm_e2e_rest_dir.lnk|C:\tm_e2e_rest\missing\folder' \
            'links\tm_e2e_rest_ok.lnk|C:\tm_e2e_rest\bin\app.exe' \
            'links\tm_e2e_rest_okdir.lnk|C:\tm_e2e_rest\bin\App.v2' \
            'Recent\tm_e2e_rest_recent.lnk|C:\tm_e2e_rest\missing\recent.exe'; do
  w "$ROOT/app/make_shortcut.exe" "C:\\tm_e2e_rest\\${pair%%|*}" "${pair#*|}" >/dev/null 2>&1 \
    || fail "make_shortcut could not write ${pair%%|*}"
done
for key in "${CONTAINERS[@]}"; do
  w reg query "$key" >/dev/null 2>&1 || CREATED_CONTAINERS+=("$key")
done
cp "$DATA/wine_rest_seed.reg" "$ROOT/seed.reg"
w regedit /S 'C:\tm_e2e_rest\seed.reg' >/dev/null 2>&1
# regedit /S reports success even for a file it did not import: read one value back.
w reg query "$EXPLORER\\RunMRU" /v tm_e2e_rest >/dev/null 2>&1 || fail "the seed was not imported"
snapshot "$WORK/before.txt"

scan "$WORK/scan.json"
seeded_problems "$WORK/scan.json" >"$WORK/found.txt" || fail "scan output is not JSON: $(head -c 300 "$WORK/scan.json")"
SID=$(python3 -c '
import json, sys
d = json.load(open(sys.argv[1], encoding="utf-8"))
keys = [p["keyPath"] for p in d["problems"] if p["keyPath"].endswith("\\Software\\tm_e2e_rest\\EmptyKey")]
print(keys[0].split("\\")[1] if keys else "")' "$WORK/scan.json")
[ -n "$SID" ] || fail "the seeded empty key was not reported: $(cat "$WORK/found.txt")"
MENU="$EXPLORER\\MenuOrder"
sed "s/@SID@/$SID/g" >"$WORK/expected.txt" <<TXT
Empty Registry Keys|HKEY_USERS\\@SID@\\Software\\tm_e2e_rest\\EmptyKey|default|
Invalid Shortcuts|C:\\tm_e2e_rest\\links\\TM_E2E_REST_CAPS.LNK|C:\\tm_e2e_rest\\missing\\caps.exe|
Invalid Shortcuts|C:\\tm_e2e_rest\\links\\tm_e2e_rest_dir.lnk|C:\\tm_e2e_rest\\missing\\folder|
Invalid Shortcuts|C:\\tm_e2e_rest\\links\\tm_e2e_rest_gone.lnk|C:\\tm_e2e_rest\\missing\\gone.exe|
Most Recently Used Files|$EXPLORER\\ComDlg32\\OpenSaveMRU\\tm_e2e_rest|MRUList|
Most Recently Used Files|$EXPLORER\\ComDlg32\\OpenSaveMRU\\tm_e2e_rest|a|
Most Recently Used Files|$EXPLORER\\RunMRU|tm_e2e_rest|notepad\\1
Start Menu Items|$MENU\\Start Menu2\\Programs\\tm_e2e_rest|Order|
Start Menu Items|$MENU\\Start Menu2\\Programs\\tm_e2e_rest|default|
Start Menu Items|$MENU\\Start Menu2\\Programs\\tm_e2e_rest|default|key
Startup Programs|$MENU\\Start Menu\\Programs\\tm_e2e_rest_gone|tm_e2e_rest_gone|
Uninstall Entries|HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\tm_e2e_rest_gone|UninstallString|C:\\tm_e2e_rest\\missing\\unins000.exe /S
TXT
LC_ALL=C sort -o "$WORK/expected.txt" "$WORK/expected.txt"
LC_ALL=C sort -o "$WORK/found.txt" "$WORK/found.txt"
diff "$WORK/expected.txt" "$WORK/found.txt" >"$WORK/diff.txt" || fail "scan reported other problems than the seeded broken ones: $(cat "$WORK/diff.txt")"
log "scan reported exactly the $(wc -l <"$WORK/expected.txt") seeded broken entries"

ids=$(python3 -c '
import json, sys
d = json.load(open(sys.argv[1], encoding="utf-8"))
print(",".join(str(p["id"]) for p in d["problems"] if "tm_e2e_rest" in p["keyPath"] + p["valueName"] + p["valueData"]))' "$WORK/scan.json")
w "$QUORVEL" registry repair --sections "$SECTIONS" --ids "$ids" --json >"$WORK/repair.json" 2>"$WORK/repair.err"
rc=$?
[ $rc -eq 0 ] || fail "registry repair exited $rc: $(cat "$WORK/repair.err")"
backup=$(python3 -c '
import json, sys
d = json.load(open(sys.argv[1], encoding="utf-8"))
bad = [r for r in d["repaired"] if r["status"] != "Repaired Successfully"]
assert len(d["repaired"]) == int(sys.argv[2]) and not bad, d["repaired"]
print(d["backup"])' "$WORK/repair.json" "$(wc -l <"$WORK/expected.txt")") \
  || fail "repair did not report every entry repaired: $(head -c 900 "$WORK/repair.json")"
log "repaired every seeded entry, backup $backup"

scan "$WORK/rescan.json"
# A list key whose values were all repaired is empty now and listed as such: only the repaired entries
# themselves must be gone.
seeded_problems "$WORK/rescan.json" | LC_ALL=C sort >"$WORK/refound.txt"
left=$(LC_ALL=C comm -12 "$WORK/expected.txt" "$WORK/refound.txt")
[ -z "$left" ] || fail "seeded problems remain after the repair: $left"
for name in tm_e2e_rest_gone.lnk TM_E2E_REST_CAPS.LNK tm_e2e_rest_dir.lnk; do
  [ ! -e "$ROOT/links/$name" ] || fail "the shortcut $name is still there"
  [ -e "$TRASH/$name" ] || fail "the shortcut $name is not in the recycle bin"
done
for name in links/tm_e2e_rest_ok.lnk links/tm_e2e_rest_okdir.lnk Recent/tm_e2e_rest_recent.lnk; do
  [ -e "$ROOT/$name" ] || fail "the healthy shortcut $name was touched"
done
for check in 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\tm_e2e_rest_ok|UninstallString' \
             'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\tm_e2e_rest_msi|UninstallString' \
             'HKCU\Software\tm_e2e_rest\Filled|x' 'HKCU\Software\tm_e2e_rest\EmptyDefault|' \
             "HKU\\.Default\\Software\\tm_e2e_rest_default\\EmptyKey|" \
             "$MENU\\Start Menu\\Programs\\tm_e2e_rest_user|" "$MENU\\Start Menu\\Programs\\tm_e2e_rest_common|"; do
  key="${check%%|*}"; value="${check#*|}"
  if [ -n "$value" ]; then
    w reg query "$key" /v "$value" >/dev/null 2>&1 || fail "healthy $key $value was touched"
  else
    w reg query "$key" >/dev/null 2>&1 || fail "healthy $key was touched"
  fi
done
log "healthy entries untouched, repaired shortcuts in the recycle bin"

restore_matches_snapshot "$backup"
log "restore brought every registry entry back byte for byte"
cleanup
log "PASS"
