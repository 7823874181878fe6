#!/usr/bin/env python3
"""Writes resources/images/Shadow@2x.png: the strip that hangs at the left edge of
a screen being swiped away, 10 x 548 points, darkening towards its right side."""
import struct
import sys
import zlib
from pathlib import Path

WIDTH, HEIGHT = 20, 1096  # pixels at scale 2


def chunk(kind: bytes, data: bytes) -> bytes:
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def main() -> None:
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parents[2] / "resources/images/Shadow@2x.png"
    row = b"\x00" + b"".join(bytes((0, 0, 0, round(90 * (x / (WIDTH - 1)) ** 2))) for x in range(WIDTH))
    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(row * HEIGHT, 9))
    png += chunk(b"IEND", b"")
    out.parent.mkdir(parents=True, exist_ok=True)
    out.write_bytes(png)


if __name__ == "__main__":
    main()
