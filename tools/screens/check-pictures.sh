#!/usr/bin/env bash
# Runs scripts/screenshots.sh into a scratch folder and fails unless every picture the manual
# names came out as a whole PNG file.
# Arguments: the picture program, the repository's root.
set -euo pipefail
program=$1
root=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

VELDRASSA_SCREENS=$program bash "$root/scripts/screenshots.sh" "$scratch"

mapfile -t named < <(grep -oE '\(images/[A-Za-z0-9_-]+\.png\)' "$root/docs/help/manual.md" |
                     sed -E 's/^\(images\/(.*)\)$/\1/' | sort -u)
if [ ${#named[@]} -eq 0 ]; then
  echo "the manual names no pictures" >&2
  exit 1
fi
# Every chunk read and its checksum compared: a cut-off or garbled file fails.
/usr/bin/python3 - "$scratch" "${named[@]}" <<'PY'
import struct, sys, zlib
folder, names = sys.argv[1], sys.argv[2:]
bad = []
for name in names:
    path = f"{folder}/{name}"
    try:
        data = open(path, "rb").read()
    except OSError:
        bad.append(f"{name}: missing")
        continue
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        bad.append(f"{name}: not a PNG file")
        continue
    pos, chunks, size = 8, [], (0, 0)
    while pos + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        crc = data[pos + 8 + length:pos + 12 + length]
        if len(body) != length or len(crc) != 4 or zlib.crc32(kind + body) != struct.unpack(">I", crc)[0]:
            break
        if kind == b"IHDR":
            size = struct.unpack(">II", body[:8])
        chunks.append(kind)
        pos += 12 + length
    if not chunks or chunks[0] != b"IHDR" or chunks[-1] != b"IEND" or b"IDAT" not in chunks:
        bad.append(f"{name}: damaged")
    elif size[0] < 50 or size[1] < 30:
        bad.append(f"{name}: only {size[0]}x{size[1]} pixels")
for line in bad:
    print(line, file=sys.stderr)
print(f"{len(names) - len(bad)} of {len(names)} pictures good")
sys.exit(1 if bad else 0)
PY
