#!/usr/bin/env python3
"""Checks a recording of one play with a count-in: clicks heard before the first
note, a beat apart, and the note a beat after the last click.

usage: count_in_onsets.py WAV CLICKS BEAT_MS
  CLICKS   how many clicks the count-in has
  BEAT_MS  the beat in milliseconds at the tempo played

An onset is where the level (RMS over 5 ms) rises past four times what it was
20 ms before and past a floor; onsets closer than half a beat are one. Beats must lie
within 30 ms of their place. Plain Python: no numpy.
"""
import math
import struct
import sys
import wave

HOP_MS = 5
TOLERANCE_MS = 30


def levels(path):
    with wave.open(path, "rb") as wav:
        channels, rate = wav.getnchannels(), wav.getframerate()
        raw = wav.readframes(wav.getnframes())
    samples = struct.unpack("<%dh" % (len(raw) // 2), raw)
    hop = rate * HOP_MS // 1000 * channels
    return [math.sqrt(sum(s * s for s in samples[i:i + hop]) / hop) for i in range(0, len(samples) - hop, hop)]


def onsets(level, merge_ms):
    loudest = max(level) if level else 0
    floor = max(30.0, loudest * 0.02)
    found = []
    for i in range(4, len(level)):
        before = level[i - 4]
        if level[i] > floor and level[i] > 4 * max(before, 1.0):
            ms = i * HOP_MS
            if not found or ms - found[-1] > merge_ms:
                found.append(ms)
    return found


def main(path, clicks, beat):
    # A wood block rings with a second strike some 150 ms on: half a beat apart is one onset.
    heard = onsets(levels(path), beat // 2)
    print("count_in_onsets_ms", " ".join(str(ms - heard[0]) for ms in heard[:clicks + 2]) if heard else "none")
    if len(heard) < clicks + 1:
        sys.exit("count-in: %d onsets heard, %d clicks and a note expected" % (len(heard), clicks))
    first = heard[0]
    for n in range(clicks + 1):
        if abs(heard[n] - first - n * beat) > TOLERANCE_MS:
            sys.exit("count-in: onset %d at %d ms, expected %d ms" % (n, heard[n] - first, n * beat))
    print("count-in: %d clicks a beat apart, then the first note" % clicks)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(sys.argv[1], int(sys.argv[2]), int(sys.argv[3]))
