#!/usr/bin/env python3
"""How evenly a run of equal notes is heard: the onsets found in a recording,
each placed to the frame where its attack rises out of the note before, a line
fitted through them, and each onset's distance from that line. Also the time
from the Start click to the first sound.
usage: onset_steadiness.py RAW_FILE ARRIVALS CLICK_TIME NOTE_MS
  RAW_FILE   44.1 kHz stereo s16 (sound_recorder.py)
  ARRIVALS   frames arrived and when (sound_recorder.py)
  CLICK_TIME the Start click, CLOCK_REALTIME seconds
  NOTE_MS    the written length of a note"""
import array
import math
import sys

RATE = 44100.0
HOP = 32                 # frames per step of the level


def left_channel(path):
    samples = array.array("h")
    with open(path, "rb") as raw:
        samples.frombytes(raw.read())
    return samples[0::2]


def levels(signal):
    out = []
    for start in range(0, len(signal) - HOP, HOP):
        out.append(math.sqrt(sum(s * s for s in signal[start:start + HOP]) / HOP))
    return out


def rough_onsets(level, spacing_hops):
    """A note starts where the level rises to three times the quietest of the
    10 ms before it and to a tenth of the loudest; then nothing for most of a note."""
    loudest = max(level)
    back = int(0.010 * RATE / HOP)
    found, hold = [], -1
    for i in range(back, len(level)):
        if i < hold:
            continue
        floor = min(level[i - back:i])
        if level[i] > 0.1 * loudest and level[i] > 3 * floor + 1:
            found.append(i * HOP)
            hold = i + int(spacing_hops * 0.6)
    return found


def refine(signal, onsets):
    """Each onset placed to the frame: the first whose sample stands out at
    twice the loudest of what sounded before it (the note before, ending).
    A threshold on the attack's own shape would jump between its first
    peaks; the first sample above the old note is the same place in each."""
    placed = []
    for rough in onsets:
        before = max(abs(v) for v in signal[max(0, rough - 441):max(1, rough - 100)])
        threshold = 2 * before + 50
        placed.append(next((n for n in range(max(0, rough - 100), min(len(signal), rough + 441))
                            if abs(signal[n]) > threshold), rough))
    return placed


def line_fit(frames):
    n = len(frames)
    xs = range(n)
    mx, my = (n - 1) / 2.0, sum(frames) / n
    slope = sum((x - mx) * (y - my) for x, y in zip(xs, frames)) / sum((x - mx) ** 2 for x in xs)
    return [y - (my + slope * (x - mx)) for x, y in zip(xs, frames)], slope


def arrival_of(frame, arrivals_path):
    with open(arrivals_path) as arrivals:
        for line in arrivals:
            frames, when = line.split()
            if int(frames) > frame:
                return float(when)
    return None


def main(raw_path, arrivals_path, click, note_ms):
    signal = left_channel(raw_path)
    spacing_hops = note_ms / 1000.0 * RATE / HOP
    onsets = rough_onsets(levels(signal), spacing_hops)
    if len(onsets) < 3:
        print("onsets_found %d" % len(onsets))
        return 1
    placed = refine(signal, onsets)
    deviations, slope = line_fit(placed)
    ms = [d / RATE * 1000 for d in deviations]
    sd = math.sqrt(sum(d * d for d in ms) / (len(ms) - 2))
    first = arrival_of(onsets[0], arrivals_path)
    print("onsets_found %d" % len(placed))
    print("spacing_ms %.3f (written %.1f)" % (slope / RATE * 1000, note_ms))
    print("deviation_sd_ms %.3f" % sd)
    print("deviation_worst_ms %.3f" % max(abs(d) for d in ms))
    print("deviations_ms " + " ".join("%.2f" % d for d in ms))
    if first is not None:
        print("click_to_first_sound_ms %.0f" % ((first - click) * 1000))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2], float(sys.argv[3]), float(sys.argv[4])))
