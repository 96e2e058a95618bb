#!/usr/bin/env bash
# Precision of the registry scan on a healthy system: a fresh Wine prefix is made, all seventeen
# sections are scanned, and every reported missing path (and every shortcut target) is looked up on the
# prefix's own drive: none of them may exist. The per-section counts are printed; sections that list
# entries by design (recently used files, start menu order, empty keys, class names) are only counted.
set -u
BIN="$1"
: "${WINEPREFIX:?run under the Wine test environment}"
: "${TMPDIR:?run under the Wine test environment}"
WORK="$(mktemp -d "$TMPDIR/precision.XXXXXX")"
export WINEPREFIX="$WORK/prefix"

log() { echo "registry_precision: $*"; }
cleanup() {
  timeout 60 wineserver -k >/dev/null 2>&1
  rm -rf "$WORK"
}
fail() { log "FAIL: $*"; cleanup; exit 1; }
[ -f "$BIN/Quorvel.exe" ] || fail "no $BIN/Quorvel.exe"

log "making a fresh prefix"
timeout 300 wineboot -i </dev/null >/dev/null 2>&1
timeout 120 wineserver -w </dev/null >/dev/null 2>&1
rm -f "$WINEPREFIX/dosdevices/z:"
[ -d "$WINEPREFIX/drive_c/windows" ] || fail "the fresh prefix was not made"
# The prefix's server is started detached from our pipes (Wine's helpers would hold them open).
wineserver -p </dev/null >/dev/null 2>&1
timeout 60 wine cmd /c exit </dev/null >/dev/null 2>&1

mkdir -p "$WINEPREFIX/drive_c/tm_precision"
cp "$BIN/Quorvel.exe" "$WINEPREFIX/drive_c/tm_precision/" || fail "cannot copy Quorvel.exe"
timeout 900 wine 'C:\tm_precision\Quorvel.exe' registry scan --json </dev/null >"$WORK/scan.json" 2>"$WORK/scan.err"
rc=$?
[ $rc -eq 0 ] || fail "registry scan exited $rc: $(head -c 400 "$WORK/scan.err")"

python3 - "$WORK/scan.json" "$WINEPREFIX" <<'PY' || { cleanup; exit 1; }
import json, os, re, sys
scan_path, prefix = sys.argv[1], sys.argv[2]
doc = json.load(open(scan_path, encoding="utf-8"))

def host_path(win):
    """The host path of a Windows path on the prefix's drives, components matched without case."""
    m = re.match(r'^([A-Za-z]):\\?(.*)$', win)
    if not m:
        return None
    base = os.path.join(prefix, "dosdevices", m.group(1).lower() + ":")
    if not os.path.exists(base):
        return None
    path = os.path.realpath(base)
    for part in [p for p in m.group(2).split("\\") if p]:
        try:
            names = os.listdir(path)
        except OSError:
            return None
        match = next((n for n in names if n.lower() == part.lower()), None)
        if match is None:
            return None
        path = os.path.join(path, match)
    return path

def exists(win):
    return host_path(win) is not None

def command_file(text):
    """The file a command line starts with: up to the first extension followed by a blank or the end."""
    m = re.match(r'^\s*"?([A-Za-z]:\\[^"]*?\.[A-Za-z0-9]{1,4})(?=["\s,]|$)', text)
    return m.group(1) if m else text.strip('"')

windows = "C:\\windows\\"
def path_of(p):
    """What a problem says is missing, as a Windows path; None when the section names no file."""
    s, data = p["section"], p["valueData"]
    if s == "Shared DLL's Sections":
        return None if data == "0" else p["valueName"]  # a zero use count is reported by design
    if s == "Font Entries":
        return data if re.match(r'^[A-Za-z]:\\', data) else windows + "Fonts\\" + data
    if s == "Invalid Shortcuts":
        return p["valueName"]
    if s in ("Application Paths", "Help Section", "Uninstall Entries",
             "System Software Settings", "User Software Settings"):
        return command_file(data)
    return None

counts, checked, wrong = {}, 0, []
for s in doc["sections"]:
    counts[s["caption"]] = s["count"] if s["built"] else "not built yet"
for p in doc["problems"]:
    path = path_of(p)
    if path is None:
        continue
    checked += 1
    if exists(path):
        wrong.append("%s: %s (%s\\%s)" % (p["section"], path, p["keyPath"], p["valueName"]))

for caption, count in counts.items():
    print("  %-28s %s" % (caption, count))
print("  items processed %d, %d ms; %d reported paths looked up" % (doc["itemsProcessed"], doc["elapsedMs"], checked))
unbuilt = [c for c, n in counts.items() if n == "not built yet"]
if wrong:
    print("registry_precision: FAIL: reported as missing but present:\n  " + "\n  ".join(wrong[:40]))
    sys.exit(1)
if unbuilt:
    print("registry_precision: note: sections not built yet: " + ", ".join(unbuilt))
PY
log "no reported path exists"
cleanup
log "PASS"
