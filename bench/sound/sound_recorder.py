#!/usr/bin/env python3
"""Keeps a 44.1 kHz stereo s16 stream from stdin (parec --raw) in RAW_FILE and
writes, for every read, how many frames had arrived and when (CLOCK_REALTIME
seconds) to ARRIVALS, so that a sound found in the recording can be tied to a
click made meanwhile.
usage: parec ... --raw | sound_recorder.py RAW_FILE ARRIVALS"""
import sys
import time


def main(raw_path, arrivals_path):
    frames = 0
    with open(raw_path, "wb") as raw, open(arrivals_path, "w") as arrivals:
        while True:
            data = sys.stdin.buffer.read1(65536)
            if not data:
                break
            arrived = time.time()
            raw.write(data)
            frames += len(data) // 4
            arrivals.write("%d %.6f\n" % (frames, arrived))
            arrivals.flush()


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
