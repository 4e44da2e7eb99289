#!/usr/bin/env python3
"""Writes a sample stereo 16-bit PCM WAV file: a tone with a "LIST" chunk before "data".

usage: make_sample.py OUT.wav [SECONDS] [RATE]   (defaults: 25.4 seconds at 44100 Hz)
"""
import math
import struct
import sys


def sample_wav(seconds, rate):
    frames = int(seconds * rate)
    data = bytearray()
    for i in range(frames):
        left = int(12000 * math.sin(2 * math.pi * 440 * i / rate))
        right = int(12000 * math.sin(2 * math.pi * 660 * i / rate))
        data += struct.pack("<hh", left, right)
    fmt = struct.pack("<HHIIHH", 1, 2, rate, rate * 4, 4, 16)
    info = b"INFOISFT" + struct.pack("<I", 14) + b"wavslice test\x00"
    body = (b"WAVE"
            + b"fmt " + struct.pack("<I", len(fmt)) + fmt
            + b"LIST" + struct.pack("<I", len(info)) + info
            + b"data" + struct.pack("<I", len(data)) + bytes(data))
    return b"RIFF" + struct.pack("<I", len(body)) + body


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 25.4
    rate = int(sys.argv[3]) if len(sys.argv) > 3 else 44100
    with open(sys.argv[1], "wb") as f:
        f.write(sample_wav(seconds, rate))


if __name__ == "__main__":
    main()
