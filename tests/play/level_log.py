#!/usr/bin/env python3
"""Reads a 44.1 kHz stereo s16 stream on stdin (parec --raw) and writes one
line per millisecond of sound: sample index, wall-clock time the data
arrived (seconds, CLOCK_REALTIME) and RMS level. The sample index times the
sound as played; the arrival time ties it to clicks made meanwhile.
usage: parec ... --raw | level_log.py OUT.log"""
import math
import struct
import sys
import time

FRAMES = 44  # one millisecond
BYTES = FRAMES * 4


def main(path):
    index = 0
    pending = b""
    with open(path, "w") as out:
        while True:
            data = sys.stdin.buffer.read1(65536)
            if not data:
                break
            arrived = time.time()
            pending += data
            while len(pending) >= BYTES:
                chunk, pending = pending[:BYTES], pending[BYTES:]
                samples = struct.unpack("<%dh" % (FRAMES * 2), chunk)
                level = math.sqrt(sum(s * s for s in samples) / len(samples))
                out.write("%d %.4f %.1f\n" % (index, arrived, level))
                index += FRAMES
            out.flush()


if __name__ == "__main__":
    main(sys.argv[1])
