#!/usr/bin/env python3
"""Writes the seed inputs of the fuzz targets into DIR: small crafted RIFF files, one for
each path through the header reader and the splitter."""
import os
import struct
import sys


def chunk(cid, payload, size=None):
    return cid + struct.pack("<I", len(payload) if size is None else size) + payload


def riff(body, riff_id=b"RIFF", wave_id=b"WAVE", size=None):
    # The size field is never read; the split target takes its piece length from it.
    return riff_id + struct.pack("<I", 4 + len(body) if size is None else size) + wave_id + body


def fmt(tag=1, channels=2, rate=8, bits=16, byte_rate=None, align=None, extra=b""):
    frame = bits // 8 * channels
    return struct.pack("<HHIIHH", tag, channels, rate,
                       frame * rate if byte_rate is None else byte_rate,
                       frame if align is None else align, bits) + extra


def samples(n, seed=1):
    x = (seed * 2654435761 + 12345) & 0xFFFFFFFF
    out = bytearray()
    for _ in range(n):
        x = (x * 1664525 + 1013904223) & 0xFFFFFFFF
        out.append(x >> 24)
    return bytes(out)


def seeds():
    data = samples(812)
    listc = chunk(b"LIST", b"INFOISFT" + struct.pack("<I", 14) + b"wavslice test\0")
    plain = chunk(b"fmt ", fmt()) + listc + chunk(b"data", data)
    return {
        "stereo16": riff(plain),
        "stereo16-at-3s": riff(plain, size=5),
        "stereo16-at-1s": riff(plain, size=3),
        "stereo16-length-0": riff(plain, size=2),
        "stereo8": riff(chunk(b"fmt ", fmt(bits=8)) + chunk(b"data", data[:406])),
        "data-before-fmt": riff(chunk(b"data", data[:100]) + chunk(b"fmt ", fmt())),
        "chunks-after-data": riff(chunk(b"fmt ", fmt()) + chunk(b"data", data) + listc),
        "fmt-18": riff(chunk(b"fmt ", fmt(extra=b"\0\0")) + chunk(b"data", data[:200])),
        "fmt-short": riff(chunk(b"fmt ", fmt()[:14]) + chunk(b"data", data[:200])),
        "fmt-declares-8": riff(chunk(b"fmt ", fmt(), size=8) + chunk(b"data", data[:64])),
        "odd-chunk": riff(chunk(b"fmt ", fmt()) + chunk(b"JUNK", b"xyz") + chunk(b"data", data)),
        "mono": riff(chunk(b"fmt ", fmt(channels=1)) + chunk(b"data", data)),
        "float": riff(chunk(b"fmt ", fmt(tag=3, bits=32)) + chunk(b"data", data)),
        "extensible": riff(chunk(b"fmt ", fmt(tag=0xFFFE, extra=b"\x16\0" + bytes(22)))
                           + chunk(b"data", data)),
        "pcm24": riff(chunk(b"fmt ", fmt(bits=24)) + chunk(b"data", data)),
        "byte-rate-0": riff(chunk(b"fmt ", fmt(byte_rate=0)) + chunk(b"data", data)),
        "byte-rate-odd": riff(chunk(b"fmt ", fmt(byte_rate=33)) + chunk(b"data", data)),
        "no-fmt": riff(listc + chunk(b"data", data)),
        "no-data": riff(chunk(b"fmt ", fmt()) + listc),
        "truncated-data": riff(chunk(b"fmt ", fmt()) + chunk(b"data", data, size=812))[:300],
        "data-claims-4gib": riff(chunk(b"fmt ", fmt()) + chunk(b"data", data[:400],
                                                                 size=0xFFFFFFFF)),
        "huge-other-chunk": riff(chunk(b"fmt ", fmt()) + chunk(b"data", data[:64])
                                 + chunk(b"JUNK", b"", size=0xFFFFFFF0)),
        "rifx": riff(plain, riff_id=b"RIFX"),
        "avi": riff(plain, wave_id=b"AVI "),
        "short-riff": b"RIFF\x10\0\0\0WAV",
        "empty": b"",
    }


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, content in seeds().items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(content)


if __name__ == "__main__":
    main()
