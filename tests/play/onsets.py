#!/usr/bin/env python3
"""Figures from a level log (level_log.py) of plays whose notes each follow a
silence: the onsets heard, each Start click's time to the first sound after
it, and the mean spacing of the onsets against the written spacing.
usage: onsets.py LEVEL.log CLICKS.txt ROW_MS ROWS_PER_ONSET
  CLICKS.txt  one wall-clock time per line: the Start clicks
  ROW_MS      the written length of a row (note or rest) in ms
  ROWS_PER_ONSET rows from one onset to the next"""
import sys

RATE = 44100.0
QUIET_MS = 15      # the level an onset rises from is looked for this far back


def read(path):
    rows = []
    with open(path) as log:
        for line in log:
            index, arrived, level = line.split()
            rows.append((int(index), float(arrived), float(level)))
    return rows


def onsets(rows, refractory):
    """A note starts where the level jumps to four times the quietest of the
    15 ms before it: the release of the note before never falls silent."""
    loudest = max(level for _, _, level in rows)
    found, last = [], -1.0
    for i in range(QUIET_MS, len(rows)):
        index, arrived, level = rows[i]
        # A dropped-out millisecond (all zero) is no quiet to rise from.
        before = min((r[2] for r in rows[i - QUIET_MS:i] if r[2] > 0), default=0.0)
        time = index / RATE
        if level > loudest * 0.2 and level > 4 * max(before, 1.0) and time - last > refractory:
            found.append((time, arrived))
            last = time
    return found


def dropouts(rows):
    """Milliseconds of sound gone to zero between two that sound: the audio
    stream ran dry."""
    loudest = max(level for _, _, level in rows)
    return sum(1 for i in range(1, len(rows) - 1)
               if rows[i][2] == 0 and rows[i - 1][2] > loudest * 0.02 and rows[i + 1][2] > loudest * 0.02)


def sink_rate(rows):
    """Samples the sink delivered per second of the wall clock, past the
    first seconds of buffering: the sink's clock is not the player's, and
    the written times are in the player's."""
    first = min(len(rows) - 1, 5000)
    samples = rows[-1][0] - rows[first][0]
    seconds = rows[-1][1] - rows[first][1]
    return samples / seconds if seconds > 10 else RATE


def main(argv):
    rows = read(argv[1])
    clicks = [float(line) for line in open(argv[2]) if line.strip()]
    row_ms, per_onset = float(argv[3]), int(argv[4])
    # One onset per note: none closer than half the written spacing to the one before.
    heard = onsets(rows, row_ms * per_onset / 2000.0)
    rate = sink_rate(rows)
    print("dropouts_ms %d" % dropouts(rows))
    print("sink_samples_per_second %.1f" % rate)
    # The first sound after a click: any level above the quiet between plays,
    # so that a bowed note's slow attack counts from its start.
    loudest = max(level for _, _, level in rows)
    for number, click in enumerate(clicks, 1):
        after = [arrived for _, arrived, level in rows if arrived > click and level > loudest * 0.01]
        if after:
            print("start_click_to_sound_ms play %d %.1f" % (number, (after[0] - click) * 1000))
    # Onsets of one play: those between one click and the next.
    bounds = clicks[1:] + [float("inf")]
    for number, (click, end) in enumerate(zip(clicks, bounds), 1):
        play = [t for t, arrived in heard if click < arrived < end]
        if len(play) < 3:
            continue
        # The slope of onset time against note number, by least squares: every
        # onset counts, so one note's jitter moves the mean little.
        n = len(play)
        mean_k, mean_t = (n - 1) / 2.0, sum(play) / n
        spacing = (sum((k - mean_k) * (t - mean_t) for k, t in enumerate(play)) /
                   sum((k - mean_k) ** 2 for k in range(n)))
        error = (spacing * 1000 - row_ms * per_onset) / per_onset
        # The same on the wall clock: sample times scaled by the sink's rate.
        wall_error = (spacing * RATE / rate * 1000 - row_ms * per_onset) / per_onset
        print("play %d onsets %d mean_spacing_ms %.3f spacing_error_per_row_ms %.3f on_the_player_clock %.3f" %
              (number, len(play), spacing * 1000, error, wall_error))


if __name__ == "__main__":
    main(sys.argv)
