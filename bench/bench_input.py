#!/usr/bin/env python3
"""Benchmark input: writes a 16-bit stereo 44.1 kHz WAV file of about SIZE_MIB MiB, or
checks the pieces that a cut of it left.

usage: bench_input.py make IN.wav SIZE_MIB
       bench_input.py check IN.wav PIECE_SECONDS DIR   (pieces named IN000.wav, ... in DIR)
       bench_input.py floor IN.wav PIECE_SECONDS       (in the current directory)

"floor" writes the same pieces with the least work there is: create each file, write its
44-byte header, let the kernel copy its data. It prints the nanoseconds that took, without
the interpreter's start, so no tool that writes these pieces can beat that figure by much.
"""
import mmap
import os
import struct
import sys
import time

RATE = 44100
FRAME = 4
BYTES_PER_SECOND = RATE * FRAME
# A LIST chunk before "data", as recorders write, so the data does not start at byte 44.
INFO = b"INFOISFT" + struct.pack("<I", 14) + b"wavslice test\x00"
FMT = struct.pack("<HHIIHH", 1, 2, RATE, BYTES_PER_SECOND, FRAME, 16)
HEAD_BEFORE_DATA = 12 + 8 + len(FMT) + 8 + len(INFO) + 8


def make(path, size_mib):
    # Whole frames plus half a second, so the final piece and the dropped fraction show.
    data_len = (size_mib << 20) // FRAME * FRAME
    head = (b"RIFF" + struct.pack("<I", 4 + HEAD_BEFORE_DATA - 12 + data_len) + b"WAVE"
            + b"fmt " + struct.pack("<I", len(FMT)) + FMT
            + b"LIST" + struct.pack("<I", len(INFO)) + INFO
            + b"data" + struct.pack("<I", data_len))
    tmp = path + ".part"
    with open(tmp, "wb") as f:
        f.write(head)
        left = data_len
        while left:
            n = min(left, 1 << 24)
            f.write(os.urandom(n))  # no period, so a piece from a wrong offset cannot match
            left -= n
    os.replace(tmp, path)


def check(path, piece_seconds, directory):
    with open(path, "rb") as f, mmap.mmap(f.fileno(), 0, access=mmap.ACCESS_READ) as m:
        data_len = struct.unpack_from("<I", m, HEAD_BEFORE_DATA - 4)[0]
        total_seconds = data_len // BYTES_PER_SECOND
        base = os.path.splitext(os.path.basename(path))[0]
        names = []
        for index, first in enumerate(range(0, total_seconds, piece_seconds)):
            seconds = min(piece_seconds, total_seconds - first)
            length = seconds * BYTES_PER_SECOND
            name = f"{base}{index:03d}.wav"
            names.append(name)
            header = (b"RIFF" + struct.pack("<I", 36 + length) + b"WAVE"
                      + b"fmt " + struct.pack("<I", 16) + FMT
                      + b"data" + struct.pack("<I", length))
            start = HEAD_BEFORE_DATA + first * BYTES_PER_SECOND
            with open(os.path.join(directory, name), "rb") as p:
                got = p.read()
            if got[:44] != header or got[44:] != m[start:start + length]:
                sys.exit(f"{name}: not the expected piece")
        if sorted(os.listdir(directory)) != sorted(names):
            sys.exit(f"pieces: expected {len(names)}, found {sorted(os.listdir(directory))[:5]}...")
    print(f"pieces checked: {len(names)}, each header and every data byte as expected")


def floor(path, piece_seconds):
    with open(path, "rb") as f:
        data_len = struct.unpack_from("<I", f.read(HEAD_BEFORE_DATA), HEAD_BEFORE_DATA - 4)[0]
    total_seconds = data_len // BYTES_PER_SECOND
    start = time.perf_counter_ns()
    fin = os.open(path, os.O_RDONLY)
    for index, first in enumerate(range(0, total_seconds, piece_seconds)):
        length = min(piece_seconds, total_seconds - first) * BYTES_PER_SECOND
        out = os.open(f"piece{index:03d}.wav", os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o666)
        os.write(out, bytes(44))
        offset = HEAD_BEFORE_DATA + first * BYTES_PER_SECOND
        while length:
            n = os.copy_file_range(fin, out, length, offset)
            offset += n
            length -= n
        os.close(out)
    os.close(fin)
    print(time.perf_counter_ns() - start)


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "make":
        make(sys.argv[2], int(sys.argv[3]))
    elif len(sys.argv) == 5 and sys.argv[1] == "check":
        check(sys.argv[2], int(sys.argv[3]), sys.argv[4])
    elif len(sys.argv) == 4 and sys.argv[1] == "floor":
        floor(sys.argv[2], int(sys.argv[3]))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
