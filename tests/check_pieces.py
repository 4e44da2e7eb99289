#!/usr/bin/env python3
"""Cuts a 25.4 s sample with the tool and reads every piece back with Python's own wave
module: parameters, frame counts and frames must match the input's.

usage: check_pieces.py WAVSLICE MAKE_SAMPLE
"""
import os
import subprocess
import sys
import tempfile
import wave


def main():
    tool, make_sample = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as tmp:
        subprocess.run([sys.executable, make_sample, "take.wav", "25.4"], cwd=tmp, check=True)
        run = subprocess.run([tool, "take.wav", "10"], cwd=tmp, capture_output=True)
        assert run.returncode == 0, run

        with wave.open(os.path.join(tmp, "take.wav")) as w:
            rate = w.getframerate()
            frames = w.readframes(w.getnframes())

        expected = [("take000.wav", 0, 10), ("take001.wav", 10, 10), ("take002.wav", 20, 5)]
        assert sorted(os.listdir(tmp)) == ["take.wav"] + [e[0] for e in expected]
        for name, first, seconds in expected:
            with wave.open(os.path.join(tmp, name)) as w:
                params = (w.getnchannels(), w.getsampwidth(), w.getframerate(),
                          w.getcomptype())
                assert params == (2, 2, rate, "NONE"), (name, params)
                assert w.getnframes() == seconds * rate, (name, w.getnframes())
                got = w.readframes(w.getnframes())
            want = frames[first * rate * 4:(first + seconds) * rate * 4]
            assert got == want, name
            print(f"{name}: {w.getnframes()} frames at {rate} Hz, identical to the input")


if __name__ == "__main__":
    main()
