#!/usr/bin/env python3
"""Writes a large, seeded registry image for the registry scan benchmark.

Half the keys go below HKEY_LOCAL_MACHINE\\SOFTWARE\\tm_bench, half below HKEY_CURRENT_USER\\Software\\
tm_bench, as random trees up to eight levels deep; the values are of mixed types like a used machine's:
plain texts, paths of files and folders that exist in a fresh prefix, some that do not, command lines,
expandable texts, numbers, binary and multi-string data. The file is a "Windows Registry Editor
Version 5.00" script in UTF-16LE, as regedit writes and reads it.

    make_registry.py OUT.reg [--keys 200000] [--values 1000000] [--seed 1]
"""
import argparse
import random

EXISTING = [
    r"C:\windows\system32\kernel32.dll", r"C:\windows\notepad.exe", r"C:\windows\system32",
    r"C:\windows\regedit.exe /s", r"C:\windows\system32\rundll32.exe shell32.dll,Control_RunDLL",
    r"C:\Program Files\Common Files", r"C:\windows\Fonts",
]
WORDS = ["alpha", "beta", "gamma", "delta", "Setting", "Enabled", "Window", "Layout", "Recent", "Option",
         "Color", "Theme", "Cache", "Value", "Mode"]


def quote(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def hex_bytes(data):
    return ",".join("%02x" % b for b in data)


def utf16z(text):
    return text.encode("utf-16-le") + b"\0\0"


def value_line(rng, name, serial):
    roll = rng.random()
    if roll < 0.35:
        return quote(name) + "=" + quote(" ".join(rng.choice(WORDS) for _ in range(rng.randint(1, 4))))
    if roll < 0.43:
        return quote(name) + "=" + quote(rng.choice(EXISTING))
    if roll < 0.44:
        return quote(name) + "=" + quote(r"C:\Program Files\Gone%d\app%d.exe /x" % (serial % 97, serial))
    if roll < 0.45:
        return quote(name) + "=" + quote(r"C:\Gone Folder %d" % serial)
    if roll < 0.48:
        return quote(name) + "=" + quote("http://example.com/%d/page.html" % serial)
    if roll < 0.53:
        text = r"%%SystemRoot%%\system32\shell32.dll,-%d" % serial
        return quote(name) + "=hex(2):" + hex_bytes(utf16z(text))
    if roll < 0.78:
        return quote(name) + "=dword:%08x" % rng.getrandbits(32)
    if roll < 0.93:
        return quote(name) + "=hex:" + hex_bytes(rng.randbytes(rng.randint(4, 40)))
    if roll < 0.97:
        items = b"".join(utf16z(rng.choice(WORDS)) for _ in range(rng.randint(1, 3))) + b"\0\0"
        return quote(name) + "=hex(7):" + hex_bytes(items)
    return quote(name) + "=hex(b):" + hex_bytes(rng.randbytes(8))


def tree_paths(rng, count, base):
    """`count` key paths below `base`, each new key under a random earlier key of depth < 8."""
    paths, depths, open_keys = [], [], []
    for i in range(count):
        if open_keys and rng.random() < 0.97:
            parent = rng.choice(open_keys[-2000:])
            path, depth = paths[parent] + "\\Node%d" % i, depths[parent] + 1
        else:
            path, depth = base + "\\Node%d" % i, 1
        paths.append(path)
        depths.append(depth)
        if depth < 8:
            open_keys.append(i)
    return paths


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("out")
    ap.add_argument("--keys", type=int, default=200000)
    ap.add_argument("--values", type=int, default=1000000)
    ap.add_argument("--seed", type=int, default=1)
    a = ap.parse_args()
    rng = random.Random(a.seed)
    half = a.keys // 2
    keys = tree_paths(rng, half, r"HKEY_LOCAL_MACHINE\SOFTWARE\tm_bench")
    keys += tree_paths(rng, a.keys - half, r"HKEY_CURRENT_USER\Software\tm_bench")
    # Values spread at random over the keys (some keys get none).
    per_key = [0] * len(keys)
    for _ in range(a.values):
        per_key[rng.randrange(len(keys))] += 1
    lines = ["Windows Registry Editor Version 5.00", ""]
    serial = 0
    for path, n in zip(keys, per_key):
        lines.append("[" + path + "]")
        for j in range(n):
            serial += 1
            lines.append(value_line(rng, "%s%d" % (rng.choice(WORDS), j), serial))
        lines.append("")
    with open(a.out, "wb") as f:
        f.write(b"\xff\xfe" + ("\r\n".join(lines) + "\r\n").encode("utf-16-le"))
    print("%s: %d keys, %d values" % (a.out, len(keys), a.values))


if __name__ == "__main__":
    main()
