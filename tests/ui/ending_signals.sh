#!/usr/bin/env bash
# Every way the system asks corvale to end, in every state: SIGINT, SIGHUP
# and SIGTERM while it waits, reads a file that never comes, plays, has a
# menu open over a play, shows the file dialog, and shows the control's
# modal About box. Each time it must exit
# with status 0 within a second, and its MIDI log must show the sounding
# note's note-off and the output closed last. corvale runs under Xvfb with
# the test hook CORVALE_MIDI_LOG, keys sent by xdotool. Also: `corvale FILE`
# reads FILE (its tune plays from the keyboard), --help and --version.
# usage: ending_signals.sh CORVALE
set -u
corvale=$1
for tool in Xvfb xvfb-run xdotool; do
  command -v "$tool" >/dev/null || { echo "ending: $tool is not installed (./dev.sh installs it)" >&2; exit 1; }
done
if [ -z "${ENDING_UNDER_XVFB:-}" ]; then
  ENDING_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/config
mkdir -p "$HOME"
# Four units a note: 727 ms each at the starting TEMPO 11.
printf 'X:1\nT:Long Notes\nK:C\nC4 D4 E4 F4 G4 A4 B4 c4|\n' >"$tmp/long.abc"
mkfifo "$tmp/never.abc"
failures=0

fail() { echo "FAIL $*" >&2; failures=$((failures + 1)); }

# Starts corvale with the arguments given and waits for its window.
start() {
  : >"$tmp/midi.log"
  CORVALE_MIDI_LOG=$tmp/midi.log "$corvale" "$@" >"$tmp/corvale.log" 2>&1 &
  pid=$!
  window=$(timeout 20 xdotool search --sync --name '^Form1$' | head -n 1)
  [ -n "$window" ] || { cat "$tmp/corvale.log" >&2; return 1; }
  sleep 0.5
  xdotool windowfocus --sync "$window" 2>/dev/null
  sleep 0.2
}

# Sends the signal, then checks the exit status, the time taken and the log.
end_with() {
  local signal=$1 state=$2 began ended status=0
  began=$(date +%s%N)
  kill -s "$signal" "$pid"
  for _ in $(seq 40); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  if kill -0 "$pid" 2>/dev/null; then
    fail "$state/$signal: still running 2 s after the signal"
    kill -KILL "$pid"
  fi
  wait "$pid" || status=$?
  ended=$(date +%s%N)
  [ "$status" -eq 0 ] || fail "$state/$signal: exit status $status"
  [ $(((ended - began) / 1000000)) -lt 1000 ] || fail "$state/$signal: took $(((ended - began) / 1000000)) ms"
  [ "$(tail -n 1 "$tmp/midi.log")" = close ] || fail "$state/$signal: the output was not closed last"
  # Every note-on (status 0x97 on channel 8, velocity 80) is followed by its note-off.
  local on off
  on=$(grep -c '^send 0x0050..97$' "$tmp/midi.log")
  off=$(grep -c '^send 0x0000..87$' "$tmp/midi.log")
  [ "$on" -eq "$off" ] || fail "$state/$signal: $on note-ons but $off note-offs"
  if [ "$state" = playing ] && [ "$on" -eq 0 ]; then fail "playing/$signal: no note sounded"; fi
  echo "$state/$signal: exit $status after $(((ended - began) / 1000000)) ms, $on notes"
}

for signal in INT HUP TERM; do
  start && end_with "$signal" waiting
  start "$tmp/never.abc" && sleep 0.5 && end_with "$signal" reading
  start "$tmp/long.abc" && xdotool key Down space && sleep 1 && end_with "$signal" playing
  start "$tmp/long.abc" && xdotool key Down space && sleep 0.5 && xdotool key alt+f && sleep 0.5 &&
    end_with "$signal" "playing-in-a-menu"
  if start "$tmp/long.abc"; then
    xdotool key ctrl+o && sleep 0.5
    timeout 5 xdotool search --sync --name '^Open Tune File$' >/dev/null || fail "dialog/$signal: no file dialog"
    end_with "$signal" "in-the-file-dialog"
  fi
  if start "$tmp/long.abc"; then
    xdotool key alt+h && sleep 0.3 && xdotool key a && sleep 0.5
    timeout 5 xdotool search --sync --name '^About$' >/dev/null || fail "about/$signal: no About box"
    end_with "$signal" "in-the-about-box"
  fi
done

# The file on the command line is read and its tune list takes the keys.
start "$tmp/long.abc" && xdotool key Down space && sleep 0.3 && end_with TERM "command-line-file"
grep -q '^send 0x00503c97$' "$tmp/midi.log" || fail "corvale FILE: the file's first note did not play"
# A file that cannot be read still opens the window, which says so and waits.
start "$tmp/gone.abc" && sleep 0.5 && end_with TERM "command-line-file-gone"
"$corvale" --version | grep -q '^corvale 2\.0$' || fail "--version"
"$corvale" --help | grep -q 'FILE' || fail "--help"
"$corvale" a.abc b.abc 2>/dev/null && fail "two files accepted"

[ "$failures" -eq 0 ] || { echo "$failures failures" >&2; exit 1; }
echo "every signal ended every state cleanly"
