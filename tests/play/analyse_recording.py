#!/usr/bin/env python3
"""Checks what a recording of the player holds: the notes heard, in order,
with their pitches and the time from each onset to the next.

usage: analyse_recording.py WAV EXPECTED_NOTES EXPECTED_UNITS [--stop-within SECONDS]
  EXPECTED_NOTES  comma-separated MIDI note numbers of the first play, in order
  EXPECTED_UNITS  comma-separated lengths of those notes but the last, in units
  --stop-within   a second play follows that was stopped early: it must fall
                  silent within SECONDS of its first sound

Pitches must lie within a quarter tone of the note; each length's share of
the played lengths within 10 % of its expected share. Plain Python: no numpy.
"""
import math
import struct
import sys
import wave

RATE = 11025          # the recording is brought down to this rate first
FRAME = 1024          # samples per analysis frame (93 ms)
HOP = 128             # 11.6 ms between frames
SHORTEST_NOTE = 7     # frames (81 ms): shorter runs of one pitch are attack transients
LOWEST_HZ, HIGHEST_HZ = 120.0, 1100.0


def read_mono(path):
    with wave.open(path, "rb") as wav:
        channels, width, rate = wav.getnchannels(), wav.getsampwidth(), wav.getframerate()
        raw = wav.readframes(wav.getnframes())
    if width != 2:
        sys.exit("analyse: expected 16-bit samples, got %d bytes" % width)
    samples = struct.unpack("<%dh" % (len(raw) // 2), raw)
    mono = [sum(samples[i:i + channels]) / channels for i in range(0, len(samples), channels)]
    step = rate / RATE
    count = int(len(mono) / step)
    # Average over each step: a crude low-pass before keeping one sample in four.
    whole = int(round(step))
    return [sum(mono[int(i * step):int(i * step) + whole]) / whole for i in range(count)]


def yin_pitch(frame):
    """Fundamental frequency by the cumulative mean normalised difference, or None."""
    lo, hi = int(RATE / HIGHEST_HZ), int(RATE / LOWEST_HZ)
    window = FRAME - hi
    diff = [0.0] * (hi + 1)
    for lag in range(1, hi + 1):
        total = 0.0
        for i in range(window):
            d = frame[i] - frame[i + lag]
            total += d * d
        diff[lag] = total
    running = 0.0
    best = None
    normalised = [1.0] * (hi + 1)
    for lag in range(1, hi + 1):
        running += diff[lag]
        normalised[lag] = diff[lag] * lag / running if running else 1.0
    for lag in range(lo, hi):
        if normalised[lag] < 0.15:
            while lag + 1 < hi and normalised[lag + 1] < normalised[lag]:
                lag += 1
            best = lag
            break
    if best is None:
        # A bowed note with vibrato seldom dips that low: take the deepest dip
        # when it is still clearly periodic.
        best = min(range(lo, hi), key=lambda lag: normalised[lag])
        if normalised[best] > 0.4:
            return None
    a, b, c = normalised[best - 1], normalised[best], normalised[best + 1]
    shift = 0.5 * (a - c) / (a - 2 * b + c) if (a - 2 * b + c) else 0.0
    return RATE / (best + shift)


def midi_of(hz):
    return 69 + 12 * math.log2(hz / 440.0)


def analyse(samples):
    """(time, level, midi or None) per frame."""
    frames = []
    for start in range(0, len(samples) - FRAME, HOP):
        frame = samples[start:start + FRAME]
        level = math.sqrt(sum(s * s for s in frame[:HOP * 2]) / (HOP * 2))
        frames.append([start / RATE, level, frame])
    loudest = max(level for _, level, _ in frames) if frames else 0
    if loudest < 30:
        sys.exit("analyse: the recording is silent (peak level %.1f)" % loudest)
    result = []
    for time, level, frame in frames:
        pitch = None
        if level > loudest * 0.05:
            hz = yin_pitch(frame)
            pitch = midi_of(hz) if hz else None
        result.append((time, level, pitch))
    return result, loudest


def notes_heard(frames, loudest):
    """The notes heard, as (onset, mean midi). A frame whose pitch is unclear
    does not break a note; a silence does. A note that follows another starts
    halfway between the last frame of the one and the first of the other,
    moved by half a frame, since a frame shows the pitch that fills most of
    it; a note after a silence starts where the sound does."""
    notes, run = [], []
    sound_start = None
    half_frame = FRAME / 2 / RATE

    def close_run():
        if len(run) >= SHORTEST_NOTE:
            notes.append({"first": run[0][0], "last": run[-1][0], "pitch": sum(p for _, p in run) / len(run),
                          "sound_start": sound_start})

    for time, level, pitch in frames:
        if level < loudest * 0.05:
            close_run()
            run = []
            sound_start = None
            notes.append(None)  # a silence: notes on either side stay apart
            continue
        if sound_start is None:
            sound_start = time
        if pitch is None:
            continue
        if run and abs(pitch - run[-1][1]) < 0.5:
            run.append((time, pitch))
            continue
        close_run()
        run = [(time, pitch)]
    close_run()
    merged, previous = [], None
    for note in notes:
        if note is None:
            previous = None
            continue
        if previous is not None and abs(previous["pitch"] - note["pitch"]) < 0.5:
            previous["last"] = note["last"]
            continue
        if previous is None:
            onset = note["sound_start"]
        else:
            onset = (previous["last"] + note["first"]) / 2 + half_frame
        merged.append(note)
        note["onset"] = onset
        previous = note
    return [(note["onset"], note["pitch"]) for note in merged]


def main(argv):
    if len(argv) < 4:
        sys.exit(__doc__)
    path = argv[1]
    expected = [int(n) for n in argv[2].split(",")]
    units = [float(u) for u in argv[3].split(",")]
    stop_within = float(argv[5]) if len(argv) > 5 and argv[4] == "--stop-within" else None

    frames, loudest = analyse(read_mono(path))
    heard = notes_heard(frames, loudest)
    print("heard: " + ", ".join("%.3fs %.2f" % (t, p) for t, p in heard))
    if len(heard) < len(expected):
        sys.exit("analyse: heard %d notes, expected at least %d" % (len(heard), len(expected)))
    first_play = heard[:len(expected)]
    failures = []
    for (onset, pitch), note in zip(first_play, expected):
        if abs(pitch - note) > 0.5:
            failures.append("note at %.3fs is %.2f, expected %d (more than a quarter tone off)" % (onset, pitch, note))
    lengths = [first_play[i + 1][0] - first_play[i][0] for i in range(len(units))]
    for measured, unit in zip(lengths, units):
        share, expected_share = measured / sum(lengths), unit / sum(units)
        print("length %.3fs share %.3f expected %.3f" % (measured, share, expected_share))
        if abs(share - expected_share) > 0.10 * expected_share:
            failures.append("length share %.3f is more than 10%% off %.3f" % (share, expected_share))

    if stop_within is not None:
        # The second play starts at the first sound after a silence that follows the first play.
        end_first = first_play[-1][0]
        quiet = [t for t, level, _ in frames if t > end_first and level < loudest * 0.01]
        if not quiet:
            failures.append("no silence after the first play")
        else:
            gap_start = quiet[0]
            second = [t for t, level, _ in frames if t > gap_start + 0.3 and level > loudest * 0.05]
            if not second:
                failures.append("the second, stopped play was not heard")
            else:
                start = second[0]
                sounding = [t for t, level, _ in frames if t >= start and level > loudest * 0.02]
                lasted = sounding[-1] - start
                print("stopped play sounded %.3fs" % lasted)
                if lasted > stop_within:
                    failures.append("the stopped play sounded %.3fs, more than %.3fs" % (lasted, stop_within))
    for failure in failures:
        print("analyse: " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
