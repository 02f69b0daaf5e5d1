#!/usr/bin/env bash
# Figures of the sound as a musician hears it: corvale under Xvfb, its sound
# recorded from a PulseAudio null sink while xdotool clicks the tune and
# Start twice. Prints the time from launch to the window, each Start click's
# time to the first sound, the resident memory and the CPU of the whole
# process while the tune plays, and, from the recording, of notes each
# followed by a rest: the mean spacing error per row, how evenly the notes
# fall, and how long after its fingerboard box was lit each note was heard
# (corvale's box log). Ends with status 1, saying why, when the window does
# not come, nothing is heard or no notes are found.
# usage: heard_figures.sh CORVALE SOUNDFONT [TEMPO] [PAIRS]
set -u
corvale=$(readlink -f "$1")
soundfont=$(readlink -f "$2")
tempo=${3:-11}
pairs=${4:-40}
here=$(cd "$(dirname "$0")/../../tests/play" && pwd)
if [ -z "${FIGURES_UNDER_XVFB:-}" ]; then
  FIGURES_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi

tmp=$(mktemp -d)
player="" levels=""
finish() {
  [ -n "$player" ] && kill -TERM "$player" 2>/dev/null && wait "$player" 2>/dev/null
  kill "$(cat "$XDG_RUNTIME_DIR/pulse/pid" 2>/dev/null)" 2>/dev/null
  [ -n "$levels" ] && wait "$levels"
  player="" levels=""
}
fail() {
  echo "heard_figures: $*" >&2
  finish
  echo "heard_figures: logs kept in $tmp" >&2
  exit 1
}
export HOME=$tmp/home XDG_RUNTIME_DIR=$tmp/run
mkdir -p "$HOME/.config/corvale" "$XDG_RUNTIME_DIR" "$tmp/tunes"
chmod 700 "$XDG_RUNTIME_DIR"
printf '[sound]\nsoundFont=%s\n' "$soundfont" >"$HOME/.config/corvale/corvale.conf"
# Notes of two units, each followed by a rest of two units, alternating pitch.
{
  printf 'X:1\nT:Spacing\nK:C\n'
  for ((i = 1; i <= pairs; i++)); do printf 'c2 z2 e2 z2 '; [ $((i % 4)) -eq 0 ] && printf '|\n'; done
  printf '|]\n'
} >"$tmp/tunes/spacing.abc"
row_ms=$(python3 -c "print(round(60000 / (30 * $tempo) * 2))")

pulseaudio -D -n --exit-idle-time=-1 --log-target=file:"$tmp/pulse.log" --load="module-native-protocol-unix" \
  --load="module-null-sink sink_name=cap rate=44100 channels=2" 2>/dev/null
until pactl info >/dev/null 2>&1; do sleep 0.05; done
parec -d cap.monitor --format=s16le --rate=44100 --channels=2 --raw --latency-msec=5 2>/dev/null |
  python3 "$here/level_log.py" "$tmp/level.log" &
levels=$!  # ends when the server goes and the stream with it
sleep 2

now() { date +%s.%N; }
launched=$(now)
(cd "$tmp/tunes" && CORVALE_BOX_LOG=$tmp/boxes.log exec "$corvale") >"$tmp/corvale.log" 2>&1 &
player=$!
window="" deadline=$((SECONDS + 30))
while [ -z "$window" ] && [ "$SECONDS" -lt "$deadline" ] && kill -0 "$player" 2>/dev/null; do
  window=$(xdotool search --name '^Form1$' 2>/dev/null | head -n 1)
  [ -n "$window" ] || sleep 0.01
done
shown=$(now)
kill -0 "$player" 2>/dev/null || fail "corvale ended before its window came: $(tail -n 3 "$tmp/corvale.log")"
[ -n "$window" ] || fail "the window Form1 did not appear within 30 s"
echo "launch_to_window_ms $(python3 -c "print(round(($shown - $launched) * 1000))")"
# The controls' places are measured from the top left of Form1's client
# area, 573 pixels high at the bottom of the window, below the menu bar.
top=$(($(xdotool getwindowgeometry --shell "$window" | sed -n 's/^HEIGHT=//p') - 573))
[ "$top" -ge 0 ] || fail "the window is lower than Form1's client area"
click() { xdotool mousemove --window "$window" "$1" $(($2 + top)) click 1; }
sleep 2
click 40 440; sleep 1
click 700 152; sleep 0.5
for ((i = 11; i < tempo; i++)); do click 756 368; sleep 0.05; done
play_s=$(python3 -c "print($pairs * 4 * $row_ms / 1000)")
: >"$tmp/clicks.txt"
for play in 1 2; do
  # Each Start switches the instrument: the button is clicked back before the
  # second, so both plays are on the plucked banjo, whose onsets are sharp.
  if [ "$play" = 2 ]; then click 676 360; sleep 0.3; fi
  xdotool mousemove --window "$window" 676 $((392 + top))
  now >>"$tmp/clicks.txt"
  xdotool click 1
  sleep 1.5
  if [ "$play" = 1 ]; then
    read -r _ _ _ _ _ _ _ _ _ _ _ _ _ u0 s0 _ <"/proc/$player/stat"
    for task in /proc/$player/task/*; do echo "$(cat "$task/comm") $(cut -d' ' -f14,15 "$task/stat")"; done >"$tmp/threads0"
    t0=$(now)
    sleep 5
    read -r _ _ _ _ _ _ _ _ _ _ _ _ _ u1 s1 _ <"/proc/$player/stat"
    for task in /proc/$player/task/*; do echo "$(cat "$task/comm") $(cut -d' ' -f14,15 "$task/stat")"; done >"$tmp/threads1"
    [ -n "${FIGURES_THREADS:-}" ] && paste "$tmp/threads0" "$tmp/threads1"
    t1=$(now)
    echo "cpu_percent_while_playing $(python3 -c "print(round(($u1 + $s1 - $u0 - $s0) / $(getconf CLK_TCK) / ($t1 - $t0) * 100, 2))")"
    echo "resident_memory_mb_while_playing $(awk '/VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/$player/status")"
    sleep "$(python3 -c "print(max(0, $play_s - 6.5 + 1.5))")"
  else
    sleep "$(python3 -c "print($play_s + 0.5)")"
  fi
done
kill -0 "$player" 2>/dev/null || fail "corvale ended during the plays: $(tail -n 3 "$tmp/corvale.log")"
finish
python3 "$here/onsets.py" "$tmp/level.log" "$tmp/clicks.txt" "$row_ms" 2 "$tmp/boxes.log" || fail "no figures from the recording"
if [ -n "${FIGURES_KEEP:-}" ]; then echo "kept in $tmp"; else rm -rf "$tmp"; fi
