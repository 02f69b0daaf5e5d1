#!/usr/bin/env bash
# How evenly the musician hears a run of equal notes: corvale under Xvfb
# plays NOTES banjo notes of one pitch, each 364 ms (tempo 11), into a
# PulseAudio null sink that is recorded meanwhile. Prints, from the
# recording, each onset's distance from a straight line fitted through them
# all (sd and worst, ms), the time from the Start click to the first sound,
# and, measured from /proc over 5 s of the play, the CPU of the whole process
# and its resident memory.
# usage: onset_steadiness.sh CORVALE SOUNDFONT [NOTES]
set -u
corvale=$1
soundfont=$2
notes=${3:-32}
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${STEADINESS_UNDER_XVFB:-}" ]; then
  STEADINESS_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi

tmp=$(mktemp -d)
export HOME=$tmp/home XDG_RUNTIME_DIR=$tmp/run
mkdir -p "$HOME/.config/corvale" "$XDG_RUNTIME_DIR" "$tmp/tunes"
chmod 700 "$XDG_RUNTIME_DIR"
printf '[sound]\nsoundFont=%s\n' "$soundfont" >"$HOME/.config/corvale/corvale.conf"
{
  printf 'X:1\nT:Even\nK:C\n'
  for ((i = 1; i <= notes; i++)); do printf 'c2 '; [ $((i % 4)) -eq 0 ] && printf '|\n'; done
  printf '|]\n'
} >"$tmp/tunes/even.abc"
note_ms=364

pulseaudio -D -n --exit-idle-time=-1 --log-target=file:"$tmp/pulse.log" --load="module-native-protocol-unix" \
  --load="module-null-sink sink_name=cap rate=44100 channels=2" 2>/dev/null
until pactl info >/dev/null 2>&1; do sleep 0.05; done
parec -d cap.monitor --format=s16le --rate=44100 --channels=2 --raw --latency-msec=5 2>/dev/null |
  python3 "$here/sound_recorder.py" "$tmp/heard.raw" "$tmp/arrivals.txt" &
recorder=$!  # ends when the server goes and the stream with it
sleep 2

(cd "$tmp/tunes" && exec "$corvale") >"$tmp/corvale.log" 2>&1 &
player=$!
window=""
for _ in $(seq 1 3000); do
  window=$(xdotool search --name '^Form1' 2>/dev/null | head -n 1)
  [ -n "$window" ] && break
  sleep 0.01
done
# The window's places below its menu bar: the file, its tune and Start. The
# first Start of a run plays the plucked banjo, whose onsets are sharp.
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; }
sleep 2
click 40 458; sleep 1
click 700 172; sleep 0.5
xdotool mousemove --window "$window" 676 411
clicked=$(date +%s.%N)
xdotool click 1
sleep 1.5
read -r _ _ _ _ _ _ _ _ _ _ _ _ _ u0 s0 _ <"/proc/$player/stat"
t0=$(date +%s.%N)
sleep 5
read -r _ _ _ _ _ _ _ _ _ _ _ _ _ u1 s1 _ <"/proc/$player/stat"
t1=$(date +%s.%N)
echo "cpu_percent_while_playing $(python3 -c "print(round(($u1 + $s1 - $u0 - $s0) / $(getconf CLK_TCK) / ($t1 - $t0) * 100, 2))")"
echo "resident_memory_mb_while_playing $(awk '/VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/$player/status")"
sleep "$(python3 -c "print(max(0, $notes * $note_ms / 1000 - 6.5 + 1.5))")"
kill -TERM "$player"; wait "$player" 2>/dev/null
kill "$(cat "$XDG_RUNTIME_DIR/pulse/pid")" 2>/dev/null
wait "$recorder"
python3 "$here/onset_steadiness.py" "$tmp/heard.raw" "$tmp/arrivals.txt" "$clicked" "$note_ms"
if [ -n "${STEADINESS_KEEP:-}" ]; then echo "kept in $tmp"; else rm -rf "$tmp"; fi
