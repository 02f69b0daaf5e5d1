#!/usr/bin/env python3
"""Figures from a level log (level_log.py) of plays whose notes each follow a
silence: the onsets heard, each Start click's time to the first sound after
it, the mean spacing of the onsets against the written spacing and how evenly
they fall, and, given the box log corvale writes under CORVALE_BOX_LOG, how
long after its box was lit on the fingerboard each note was heard. Says why
and ends with status 1 when it heard nothing or found too few onsets.
usage: onsets.py LEVEL.log CLICKS.txt ROW_MS ROWS_PER_ONSET [BOXES.log]
  CLICKS.txt  one wall-clock time per line: the Start clicks
  ROW_MS      the written length of a row (note or rest) in ms
  ROWS_PER_ONSET rows from one onset to the next
  BOXES.log   "SECONDS BOX" per box lit, wall clock"""
import math
import sys

RATE = 44100.0
QUIET_MS = 15      # the level an onset rises from is looked for this far back
HEARD_FLOOR = 30   # RMS of s16 samples, about -60 dBFS: below it nothing was heard
ENVELOPE_S = 3     # the arrival delays a sample's wall time is taken from, either side


def read(path):
    rows = []
    with open(path) as log:
        for line in log:
            index, arrived, level = line.split()
            rows.append((int(index), float(arrived), float(level)))
    return rows


def fail(message):
    print("onsets: " + message, file=sys.stderr)
    sys.exit(1)


def onsets(rows, refractory):
    """Sample indices where a note starts: the level jumps to four times the
    quietest of the 15 ms before it (the release of the note before never
    falls silent)."""
    loudest = max(level for _, _, level in rows)
    found, last = [], -1.0
    for i in range(QUIET_MS, len(rows)):
        index, _, level = rows[i]
        # A dropped-out millisecond (all zero) is no quiet to rise from.
        before = min((r[2] for r in rows[i - QUIET_MS:i] if r[2] > 0), default=0.0)
        time = index / RATE
        if level > loudest * 0.2 and level > 4 * max(before, 1.0) and time - last > refractory:
            found.append(index)
            last = time
    return found


def wall_clock(rows):
    """A sample's wall-clock time: its index over the rate plus the least
    delay (arrival less index over the rate) of the samples within a few
    seconds of it. Data read late, or behind a stall, only raise the delay;
    the least is the sample's own time, and taking it near the sample follows
    the sink's clock where it drifts from the wall's."""
    least = {}
    for index, arrived, _ in rows:
        second = int(index / RATE)
        least[second] = min(least.get(second, math.inf), arrived - index / RATE)
    return lambda index: index / RATE + min(
        least.get(s, math.inf) for s in range(int(index / RATE) - ENVELOPE_S, int(index / RATE) + ENVELOPE_S + 1))


def dropouts(rows):
    """Milliseconds of sound gone to zero between two that sound: the audio
    stream ran dry."""
    loudest = max(level for _, _, level in rows)
    return sum(1 for i in range(1, len(rows) - 1)
               if rows[i][2] == 0 and rows[i - 1][2] > loudest * 0.02 and rows[i + 1][2] > loudest * 0.02)


def line_fit(times):
    """Least squares line through times against note number: the slope
    (every onset counts, so one note's jitter moves it little) and each
    time's distance from the line."""
    n = len(times)
    mean_k, mean_t = (n - 1) / 2.0, sum(times) / n
    slope = sum((k - mean_k) * (t - mean_t) for k, t in enumerate(times)) / sum((k - mean_k) ** 2 for k in range(n))
    return slope, [t - (mean_t + slope * (k - mean_k)) for k, t in enumerate(times)]


def spread(values):
    """Mean, standard deviation and the value farthest from zero."""
    mean = sum(values) / len(values)
    sd = math.sqrt(sum((v - mean) ** 2 for v in values) / len(values))
    return mean, sd, max(values, key=abs)


def box_offsets(heard, boxes):
    """Each note's time heard less the time its box was lit: the first box
    lit after the click goes with the first onset, and every later onset with
    the box nearest to where that first offset puts it, so that an onset
    missed in between does not pair the rest with their neighbours' boxes."""
    first = heard[0] - boxes[0]
    return [t - min(boxes, key=lambda lit: abs(t - first - lit)) for t in heard]


def sink_rate(rows):
    """Samples the sink delivered per second of the wall clock, past the
    first seconds of buffering: the sink's clock is not the player's."""
    first = min(len(rows) - 1, 5000)
    samples = rows[-1][0] - rows[first][0]
    seconds = rows[-1][1] - rows[first][1]
    return samples / seconds if seconds > 10 else RATE


def main(argv):
    rows = read(argv[1])
    clicks = [float(line) for line in open(argv[2]) if line.strip()]
    row_ms, per_onset = float(argv[3]), int(argv[4])
    boxes = sorted(float(line.split()[0]) for line in open(argv[5]) if line.strip()) if len(argv) > 5 else None
    if not rows or max(level for _, _, level in rows) < HEARD_FLOOR:
        fail("heard nothing: the recording is silent (%d ms of it)" % len(rows))
    wall = wall_clock(rows)
    # One onset per note: none closer than half the written spacing to the one before.
    heard = [wall(index) for index in onsets(rows, row_ms * per_onset / 2000.0)]
    if not heard:
        fail("no onsets found in %d ms of sound" % len(rows))
    loudest = max(level for _, _, level in rows)
    print("dropouts_ms %d" % dropouts(rows))
    print("sink_samples_per_second %.1f" % sink_rate(rows))
    problems = []
    plays = list(zip(clicks, clicks[1:] + [math.inf]))
    for number, (click, end) in enumerate(plays, 1):
        # The first sound: any level above the quiet between plays, so that a
        # bowed note's slow attack counts from its start.
        sound = next((wall(index) for index, _, level in rows
                      if level > loudest * 0.01 and click < wall(index) < end), None)
        if sound is None:
            problems.append("play %d: nothing heard after its Start click" % number)
        else:
            print("start_click_to_sound_ms play %d %.1f" % (number, (sound - click) * 1000))
    for number, (click, end) in enumerate(plays, 1):
        play = [t for t in heard if click < t < end]
        if len(play) < 3:
            problems.append("play %d: %d onsets found, too few to time" % (number, len(play)))
            continue
        spacing, off_line = line_fit(play)
        _, sd, worst = spread(off_line)
        print("play %d onsets %d mean_spacing_ms %.3f spacing_error_per_row_ms %.3f evenness_sd_ms %.2f worst_ms %.2f" %
              (number, len(play), spacing * 1000, (spacing * 1000 - row_ms * per_onset) / per_onset, sd * 1000,
               worst * 1000))
        if boxes is None:
            continue
        lit = [t for t in boxes if click < t < end]
        if not lit:
            problems.append("play %d: no box was lit (is the box log written?)" % number)
            continue
        mean, sd, worst = spread(box_offsets(play, lit))
        print("play %d box_lit_to_sound_ms mean %.1f sd %.1f worst %.1f" % (number, mean * 1000, sd * 1000, worst * 1000))
    if problems:
        fail("; ".join(problems))


if __name__ == "__main__":
    main(sys.argv)
