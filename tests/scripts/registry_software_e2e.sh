#!/usr/bin/env bash
# The two whole-hive software settings sections against the real registry of the test prefix.
# First, on the prefix as it is: no reported path may exist, as a file or as a folder. Then seed broken
# and healthy entries of every kind under marked keys, scan (exactly the broken ones are reported, the
# user's keys also through HKEY_USERS), repair them by id (gone; the healthy ones stay), restore the
# written backup (every value back, byte for byte), and leave the prefix as it was found. Every Wine
# call is bounded.
set -u
BIN="$1"
HERE="$(cd "$(dirname "$0")" && pwd)"
DATA="$HERE/../data/registry_cleaner"
: "${WINEPREFIX:?run under the Wine test environment}"
DRIVE_C="$WINEPREFIX/drive_c"
ROOT="$DRIVE_C/tm_e2e_sw"
WORK="$(mktemp -d)"
QUORVEL='C:\tm_e2e_sw\app\Quorvel.exe'
KEYS=('HKEY_LOCAL_MACHINE\SOFTWARE\tm_e2e_sw' 'HKEY_CURRENT_USER\Software\tm_e2e_sw')

log() { echo "registry_software_e2e: $*"; }
w() { timeout 300 wine "$@" </dev/null; }
cleanup() {
  cp "$DATA/software_wine_unseed.reg" "$ROOT/unseed.reg" 2>/dev/null && w regedit /S 'C:\tm_e2e_sw\unseed.reg' >/dev/null 2>&1
  rm -rf "$ROOT" "$WORK"
}
fail() { log "FAIL: $*"; cleanup; exit 1; }
ROOT_WIN='C:\tm_e2e_sw'
source "$HERE/../support/registry_snapshot.bash"
# Problems under the marked keys, one "section|keyPath|valueName|valueData" line each, sorted; the
# user's security id in HKEY_USERS paths is written "*".
marked_problems() {
  python3 -c '
import json, re, sys
doc = json.load(open(sys.argv[1], encoding="utf-8"))
rows = sorted("%s|%s|%s|%s" % (p["section"], re.sub(r"^HKEY_USERS\\[^\\]+\\", r"HKEY_USERS\\*\\", p["keyPath"]),
                               p["valueName"], p["valueData"])
              for p in doc["problems"] if "tm_e2e_sw" in p["keyPath"])
print("\n".join(rows))' "$1"
}

[ -f "$BIN/Quorvel.exe" ] || fail "no $BIN/Quorvel.exe"
rm -rf "$ROOT"
mkdir -p "$ROOT/app" "$ROOT/bin" || fail "cannot create $ROOT"
cp "$BIN/Quorvel.exe" "$ROOT/app/" || fail "cannot copy Quorvel.exe"

# Precision on the prefix as it is: every reported path is checked against the prefix's drives.
w "$QUORVEL" registry scan --sections 15,17 --json >"$WORK/fresh.json" 2>"$WORK/fresh.err"
rc=$?
[ $rc -eq 0 ] || fail "registry scan exited $rc: $(cat "$WORK/fresh.err")"
python3 - "$WORK/fresh.json" "$WINEPREFIX/dosdevices" >"$WORK/precision.txt" <<'PY' || fail "reported paths that exist: $(cat "$WORK/precision.txt")"
import json, os, sys
doc, devices = json.load(open(sys.argv[1], encoding="utf-8")), sys.argv[2]
def host(path):
    """The host path of a Windows path, letter case ignored as Wine ignores it; None when missing."""
    drive = os.path.join(devices, path[:2].lower())
    if len(path) < 3 or path[2] != "\\" or not os.path.exists(drive):
        return None
    cur = os.path.realpath(drive)
    for part in [p for p in path[3:].split("\\") if p]:
        try:
            names = {n.lower(): n for n in os.listdir(cur)}
        except OSError:
            return None
        if part.lower() not in names:
            return None
        cur = os.path.join(cur, names[part.lower()])
    return cur
bad = [p for p in doc["problems"] if host(p["valueData"].strip()) is not None]
counts = {s["caption"]: s["count"] for s in doc["sections"] if s["caption"].endswith("Software Settings")}
print("  fresh prefix: " + ", ".join("%s %d" % kv for kv in sorted(counts.items())) +
      "; items processed %d, %d ms" % (doc["itemsProcessed"], doc["elapsedMs"]))
for p in doc["problems"]:
    print("    %s | %s | %s | %s" % (p["section"], p["keyPath"], p["valueName"], p["valueData"]))
for p in bad:
    print("  EXISTS: %s | %s | %s" % (p["keyPath"], p["valueName"], p["valueData"]))
sys.exit(1 if bad else 0)
PY
cat "$WORK/precision.txt"
[ -z "$(marked_problems "$WORK/fresh.json")" ] || fail "marked keys were there before the seed"

touch "$ROOT/bin/ok.exe" "$ROOT/bin/ok.dll"
cp "$DATA/software_wine_seed.reg" "$ROOT/seed.reg"
w regedit /S 'C:\tm_e2e_sw\seed.reg' >/dev/null 2>&1
# regedit /S reports success even for a file it did not import: read one value back.
w reg query 'HKCU\Software\tm_e2e_sw\Outlook' /v own >/dev/null 2>&1 || fail "the seed was not imported"
snapshot "$WORK/before.txt"

w "$QUORVEL" registry scan --sections 15,17 --json >"$WORK/scan.json" 2>"$WORK/scan.err"
rc=$?
[ $rc -eq 0 ] || fail "registry scan exited $rc: $(cat "$WORK/scan.err")"
marked_problems "$WORK/scan.json" >"$WORK/found.txt" || fail "scan output is not JSON: $(head -c 300 "$WORK/scan.json")"
cat >"$WORK/expected.txt" <<'TXT'
System Software Settings|HKEY_LOCAL_MACHINE\Software\tm_e2e_sw\App|default|C:\tm_e2e_sw\missing\unnamed.exe
System Software Settings|HKEY_LOCAL_MACHINE\Software\tm_e2e_sw\App|file|C:\tm_e2e_sw\missing\gone.exe
System Software Settings|HKEY_LOCAL_MACHINE\Software\tm_e2e_sw\App|folder|C:\tm_e2e_sw\missing folder
System Software Settings|HKEY_LOCAL_MACHINE\Software\tm_e2e_sw\App|quoted|C:\tm_e2e_sw\missing folder2
System Software Settings|HKEY_LOCAL_MACHINE\Software\tm_e2e_sw\App|sysroot|C:\WINDOWS\TM_E2E_SW_GONE.DLL
System Software Settings|HKEY_LOCAL_MACHINE\Software\tm_e2e_sw\Winlogon|own|C:\tm_e2e_sw\missing\winlogon.exe
System Software Settings|HKEY_USERS\*\Software\tm_e2e_sw\App|default|C:\tm_e2e_sw\missing\user-unnamed.exe
System Software Settings|HKEY_USERS\*\Software\tm_e2e_sw\App|file|C:\tm_e2e_sw\missing\user.exe
System Software Settings|HKEY_USERS\*\Software\tm_e2e_sw\App|folder|C:\tm_e2e_sw\missing user folder
System Software Settings|HKEY_USERS\*\Software\tm_e2e_sw\App|quoted|C:\tm_e2e_sw\missing folder3
System Software Settings|HKEY_USERS\*\Software\tm_e2e_sw\Outlook|own|C:\tm_e2e_sw\missing\outlook.exe
System Software Settings|HKEY_USERS\*\Software\tm_e2e_sw\Outlook\Sub|x|C:\tm_e2e_sw\missing\outlook-sub.exe
User Software Settings|HKEY_CURRENT_USER\Software\tm_e2e_sw\App||C:\tm_e2e_sw\missing\user-unnamed.exe
User Software Settings|HKEY_CURRENT_USER\Software\tm_e2e_sw\App|capH|H:\tm_e2e_sw\user.exe
User Software Settings|HKEY_CURRENT_USER\Software\tm_e2e_sw\App|file|C:\tm_e2e_sw\missing\user.exe
User Software Settings|HKEY_CURRENT_USER\Software\tm_e2e_sw\App|folder|C:\tm_e2e_sw\missing user folder
User Software Settings|HKEY_CURRENT_USER\Software\tm_e2e_sw\Outlook|own|C:\tm_e2e_sw\missing\outlook.exe
TXT
LC_ALL=C sort -o "$WORK/expected.txt" "$WORK/expected.txt"
LC_ALL=C sort -o "$WORK/found.txt" "$WORK/found.txt"
diff "$WORK/expected.txt" "$WORK/found.txt" >"$WORK/diff.txt" || fail "scan reported other problems than the seeded broken ones: $(cat "$WORK/diff.txt")"
log "scan reported exactly the 17 seeded broken entries"

ids=$(python3 -c '
import json, sys
d = json.load(open(sys.argv[1], encoding="utf-8"))
print(",".join(str(p["id"]) for p in d["problems"] if "tm_e2e_sw" in p["keyPath"]))' "$WORK/scan.json")
w "$QUORVEL" registry repair --sections 15,17 --ids "$ids" --json >"$WORK/repair.json" 2>"$WORK/repair.err"
rc=$?
[ $rc -eq 0 ] || fail "registry repair exited $rc: $(cat "$WORK/repair.err")"
backup=$(python3 -c '
import json, sys
d = json.load(open(sys.argv[1], encoding="utf-8"))
bad = [r for r in d["repaired"] if r["status"] != "Repaired Successfully"]
assert len(d["repaired"]) == 17 and not bad, d["repaired"]
print(d["backup"])' "$WORK/repair.json") || fail "repair did not report 17 successful repairs: $(head -c 900 "$WORK/repair.json")"
log "repaired 17 entries, backup $backup"

w "$QUORVEL" registry scan --sections 15,17 --json >"$WORK/rescan.json" 2>/dev/null
[ -z "$(marked_problems "$WORK/rescan.json")" ] || fail "seeded problems remain after the repair: $(marked_problems "$WORK/rescan.json")"
for gone in 'HKLM\SOFTWARE\tm_e2e_sw\App|file' 'HKLM\SOFTWARE\tm_e2e_sw\Winlogon|own' 'HKCU\Software\tm_e2e_sw\App|capH' \
            'HKCU\Software\tm_e2e_sw\Outlook\Sub|x'; do
  w reg query "${gone%%|*}" /v "${gone#*|}" >/dev/null 2>&1 && fail "${gone} was not removed"
done
w reg query 'HKCU\Software\tm_e2e_sw\App' /ve 2>/dev/null | grep -q 'user-unnamed' && fail "the unnamed value was not removed"
for kept in 'HKLM\SOFTWARE\tm_e2e_sw\App|ok' 'HKLM\SOFTWARE\tm_e2e_sw\App|okdir' 'HKLM\SOFTWARE\tm_e2e_sw\App|number' \
            'HKLM\SOFTWARE\tm_e2e_sw\App|capH' 'HKLM\SOFTWARE\tm_e2e_sw\App\Sub|x' 'HKLM\SOFTWARE\tm_e2e_sw\Skip|second' \
            'HKLM\SOFTWARE\tm_e2e_sw\Winlogon\Sub|x' 'HKCU\Software\tm_e2e_sw\App|ok' 'HKCU\Software\tm_e2e_sw\App|okdir'; do
  w reg query "${kept%%|*}" /v "${kept#*|}" >/dev/null 2>&1 || fail "healthy ${kept} was touched"
done
log "seeded entries gone, healthy entries untouched"

restore_matches_snapshot "$backup"
log "restore brought every value back byte for byte"
cleanup
log "PASS"
