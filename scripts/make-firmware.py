#!/usr/bin/env python3
"""Writes the two firmware test images the program carries (res/firmware_app.bin, resource
366, and res/firmware_base.bin, resource 367). They are opaque filler that satisfies the layout
the update engine checks, not firmware for any controller:

  application (101568 bytes = 793 blocks of 128 and one of 64):
    0  CRC-32 of bytes 16.. (reflected, 0xEDB88320, init 0xFFFFFFFF, no final inversion), LE
    4  word 0x0102 (image version)    6  length in 4-byte units, LE
    8  marker "VTRL"                  12..15 zero
    16.. pseudo-random bytes (xorshift32, seed 0x56414E31)
  base (176128 bytes = the whole base region 0x000000..0x02AFFF):
    pseudo-random bytes (xorshift32, seed 0x42415345)

The output is the same on every run; run from the repository root:  scripts/make-firmware.py
"""
import struct
import sys
import zlib
from pathlib import Path

APP_SIZE = 101568
BASE_SIZE = 0x2B000


def filler(seed, n):
    out = bytearray(n)
    x = seed
    for i in range(n):
        x ^= (x << 13) & 0xFFFFFFFF
        x ^= x >> 17
        x ^= (x << 5) & 0xFFFFFFFF
        out[i] = x & 0xFF
    return out


def crc(data):
    # zlib's CRC-32 with the final inversion undone.
    return zlib.crc32(data) ^ 0xFFFFFFFF


def application():
    body = filler(0x56414E31, APP_SIZE - 16)
    head = struct.pack("<HH4s4x", 0x0102, APP_SIZE // 4, b"VTRL")
    return struct.pack("<I", crc(bytes(body))) + head + bytes(body)


def main():
    root = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent
    app = application()
    assert len(app) == APP_SIZE
    (root / "res" / "firmware_app.bin").write_bytes(app)
    (root / "res" / "firmware_base.bin").write_bytes(bytes(filler(0x42415345, BASE_SIZE)))


if __name__ == "__main__":
    main()
