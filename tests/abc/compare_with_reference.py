#!/usr/bin/env python3
"""Plays every tune of a corpus under tunedump's standard reading and through the
reference player abc2midi, and compares what sounds: the pitch sequence, and for
tunes whose pitches agree, the note onsets in proportion.

  compare_with_reference.py TUNEDUMP ABC2MIDI CORPUS_DIR WORK_DIR [TARGET_PERCENT]

Prints the figures and one line per differing tune; exits 1 when fewer tunes than
the target agree among those that use nothing the reference plays its own way,
and 77 (skipped) without the corpus."""
import collections
import multiprocessing
import os
import re
import struct
import subprocess
import sys


def read_midi_melody(path):
    """The (onset tick, note) pairs of the first track holding note-ons off channel 10,
    in time order, and the file's ticks per quarter note."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:4] != b"MThd":
        return None, []
    _, _, division = struct.unpack(">HHH", data[8:14])
    at = 14
    while at + 8 <= len(data):
        kind, length = data[at:at + 4], struct.unpack(">I", data[at + 4:at + 8])[0]
        track = data[at + 8:at + 8 + length]
        at += 8 + length
        if kind != b"MTrk":
            continue
        notes = read_track(track)
        if notes:
            return division, notes
    return division, []


def read_number(track, at):
    """A variable-length number of a MIDI file: seven bits a byte, high bit set on all but the last."""
    value = 0
    while True:
        byte = track[at]
        at += 1
        value = (value << 7) | (byte & 0x7F)
        if byte < 0x80:
            return value, at


def read_track(track):
    notes = []
    time = 0
    at = 0
    status = 0
    while at < len(track):
        delta, at = read_number(track, at)
        time += delta
        if track[at] >= 0x80:
            status = track[at]
            at += 1
        if status in (0xFF, 0xF0, 0xF7):
            if status == 0xFF:
                at += 1  # the meta event's type
            length, at = read_number(track, at)
            at += length
            continue
        kind, channel = status & 0xF0, status & 0x0F
        size = 1 if kind in (0xC0, 0xD0) else 2
        args = track[at:at + size]
        at += size
        if kind == 0x90 and args[1] > 0 and channel != 9:
            notes.append((time, args[0]))
    notes.sort(key=lambda n: n[0])
    return notes


def read_standard(tunedump, path, count):
    """Per tune position: (X line number text, [(onset in eighths, note)])."""
    out = subprocess.run([tunedump, "--standard", path] + [str(n) for n in range(1, count + 1)],
                         capture_output=True, text=True, errors="replace").stdout
    tunes = {}
    current = None
    onset = 0.0
    for line in out.split("\n"):
        fields = line.split("\t")
        if fields[0] == "tune":
            current = int(fields[1])
            tunes[current] = []
            onset = 0.0
        elif fields[0] == "event":
            note, velocity, duration = float(fields[1]), float(fields[2]), float(fields[4])
            if velocity > 0:
                tunes[current].append((onset, int(note)))
            onset += duration
    return tunes


def own_way_features(tune_lines):
    """What the tune uses that the reference plays its own way: trills, the rolls it
    expands, fermatas and the swing it gives hornpipes."""
    features = []
    if any(l.startswith("R:") and "hornpipe" in l.lower() for l in tune_lines):
        features.append("hornpipe")
    body = "\n".join(re.sub(r'"[^"]*"', "", l) for l in tune_lines
                     if not re.match(r"^[A-Za-z+]:", l) and not l.startswith("%"))
    decorations = re.findall(r"!([^!\n]*)!", body)
    plain = re.sub(r"!([^!\n]*)!", "", body)
    if "T" in plain or "trill" in decorations:
        features.append("trill")
    if "~" in plain or "roll" in decorations:
        features.append("roll")
    if "H" in plain or "fermata" in decorations:
        features.append("fermata")
    if repeats_back_to_a_double_bar(plain):
        features.append("repeat after double bar")
    return features


BAR_SIGNS = re.compile(r"\|\|:|\[\|:|:\|\]|:\|\||:\|:|\|::|::|:\||\|:|\|\||\[\||\|\]")


def repeats_back_to_a_double_bar(body):
    """Whether an end repeat has no start repeat since the last double bar: the
    standard reading goes back to that double bar, the reference to the tune's start."""
    since = "start"
    for sign in BAR_SIGNS.findall(body):
        if sign in ("||", "[|", "|]"):
            since = "double bar"
        elif sign in ("|:", "||:", "[|:"):
            since = "start repeat"
        else:
            if since == "double bar":
                return True
            since = "start repeat" if sign in ("::", ":|:", "|::") else "end repeat"
    return False


def tunes_of(path):
    """The file's header lines (before its first X: line), and per tune position its
    X: number and its lines, split as the standard reading does."""
    with open(path, "rb") as f:
        raw = f.read()
    try:
        text = raw.decode("utf-8")
    except UnicodeDecodeError:
        text = raw.decode("latin-1")
    header = []
    tunes = []
    in_tune = False
    for line in re.split(r"\r\n|\r|\n", text):
        if line.startswith("X:"):
            tunes.append((line[2:].split("%")[0].strip(), [line]))
            in_tune = True
        elif in_tune and line.strip() == "":
            in_tune = False
        elif in_tune:
            tunes[-1][1].append(line)
        elif not tunes:
            header.append(line)
    return header, tunes


def reference_apart(abc2midi, folder, position, header, lines):
    """The reference's MIDI file for one tune written alone after the file's header,
    numbered 1: abc2midi names its output by the X: number, so tunes of a file that
    share one (or have none it can use) are played one at a time."""
    name = "t%d" % position
    with open(os.path.join(folder, name + ".abc"), "w", encoding="utf-8") as f:
        f.write("\n".join(header + ["X:1"] + lines[1:]) + "\n")
    subprocess.run([abc2midi, name + ".abc", "-NGUI", "-silent"], cwd=folder, capture_output=True, timeout=120)
    return os.path.join(folder, name + "1.mid")


def onsets_agree(ours, theirs, division):
    ticks_per_eighth = division / 2.0
    start_ours, start_theirs = ours[0][0], theirs[0][0]
    for (o, _), (t, _) in zip(ours, theirs):
        expected = (o - start_ours) * ticks_per_eighth
        if abs((t - start_theirs) - expected) > 0.1 * ticks_per_eighth + 0.01 * expected:
            return False
    return True


def compare_file(job):
    tunedump, abc2midi, path, work, corpus, index = job
    folder = os.path.join(work, "file%d" % index)
    os.makedirs(folder, exist_ok=True)
    local = os.path.join(folder, "f.abc")
    with open(path, "rb") as src, open(local, "wb") as dst:
        dst.write(src.read())
    subprocess.run([abc2midi, "f.abc", "-NGUI", "-silent"], cwd=folder, capture_output=True, timeout=120)
    header, tunes = tunes_of(path)
    ours = read_standard(tunedump, path, len(tunes))
    # abc2midi names its output by the number's value: X:0262 writes f262.mid.
    numbers = collections.Counter(int(number) if re.fullmatch(r"[0-9]+", number) else number for number, _ in tunes)
    results = []
    for position, (number, lines) in enumerate(tunes, start=1):
        name = "%s tune %d (X:%s)" % (os.path.relpath(path, corpus), position, number)
        features = own_way_features(lines)
        if not re.fullmatch(r"[0-9]+", number) or numbers[int(number)] > 1:
            midi = reference_apart(abc2midi, folder, position, header, lines)
        else:
            midi = os.path.join(folder, "f%d.mid" % int(number))
        if not os.path.exists(midi):
            results.append((name, "unmatched", features, ""))
            continue
        division, theirs = read_midi_melody(midi)
        mine = ours.get(position, [])
        if not theirs:
            results.append((name, "unmatched", features, ""))
            continue
        if [n for _, n in mine] != [n for _, n in theirs]:
            first = next((i for i, (a, b) in enumerate(zip(mine, theirs)) if a[1] != b[1]), min(len(mine), len(theirs)))
            detail = "note %d: ours %s, reference %s (%d vs %d notes)" % (
                first + 1, [n for _, n in mine[first:first + 4]], [n for _, n in theirs[first:first + 4]],
                len(mine), len(theirs))
            results.append((name, "pitches differ", features, detail))
        elif mine and not onsets_agree(mine, theirs, division):
            results.append((name, "lengths differ", features, ""))
        else:
            results.append((name, "same", features, ""))
    return results


def main():
    tunedump, abc2midi, corpus, work = sys.argv[1:5]
    target = float(sys.argv[5]) if len(sys.argv) > 5 else 97.0
    if not os.path.isdir(corpus):
        print("no tune corpus at %s: skipped" % corpus)
        return 77
    files = sorted(os.path.join(root, f) for root, _, names in os.walk(corpus) for f in names if f.endswith(".abc"))
    os.makedirs(work, exist_ok=True)
    with multiprocessing.Pool(2) as pool:
        results = [r for rs in pool.map(compare_file, [(tunedump, abc2midi, f, work, corpus, i) for i, f in enumerate(files)]) for r in rs]
    compared = [r for r in results if r[1] != "unmatched"]
    # What the reference sounds its own way: extra or longer notes, swung lengths.
    sounded_apart = [r for r in compared if set(r[2]) - {"repeat after double bar"}]
    written = [r for r in compared if r not in sounded_apart]
    plain = [r for r in written if not r[2]]

    def share(rows, outcome):
        n = sum(1 for r in rows if r[1] in outcome)
        return n, len(rows), (100.0 * n / len(rows) if rows else 100.0)

    same = ("same", "lengths differ")
    same_plain = share(plain, same)
    print("tunes: %d (%d with notes from the reference)" % (len(results), len(compared)))
    print("no trill, roll, fermata or hornpipe swing, same pitches: %d of %d (%.2f %%)" % share(written, same))
    print("plain tunes (nor an end repeat after a double bar), same pitches: %d of %d (%.2f %%)" % same_plain)
    print("plain tunes with the same pitches, same onsets: %d of %d (%.2f %%)"
          % share([r for r in plain if r[1] in same], ("same",)))
    print("tunes with trills, rolls, fermatas or hornpipe swing, same pitches: %d of %d (%.2f %%)"
          % share(sounded_apart, same))
    for name, outcome, features, detail in (r for r in written):
        mark = " [repeat after double bar]" if features else ""
        if outcome == "pitches differ":
            print("differs%s: %s: %s" % (mark, name, detail))
        elif outcome == "lengths differ":
            print("lengths differ%s: %s" % (mark, name))
    return 0 if same_plain[2] >= target else 1


if __name__ == "__main__":
    sys.exit(main())
