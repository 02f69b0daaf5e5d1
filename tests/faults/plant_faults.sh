#!/usr/bin/env bash
# Plants realistic faults in the sources one at a time, rebuilds, runs the
# tests and prints, per fault, the tests that caught it (tab-separated). The
# source file is put back after each fault, on Ctrl+C too.
#   tests/faults/plant_faults.sh [BUILD_DIR] [NAME_REGEX]   plant, build and test
#   tests/faults/plant_faults.sh --check                    only check that every fault still applies
set -uo pipefail
cd "$(dirname "$0")/../.."
export CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR=/work \
  CCACHE_NOHASHDIR=1 CCACHE_SLOPPINESS=time_macros,include_file_mtime,include_file_ctime,pch_defines
check=false
[ "${1:-}" = --check ] && { check=true; shift; }
build=${1:-build}
only=${2:-.}

# name|file|sed script (the script may hold "|" itself)
faults=(
  "pitch: E a semitone low|player/tune/pitch.cpp|s/case U'E': return 64;/case U'E': return 63;/"
  "repeat copies from one row late|player/tune/bars_repeats.cpp|s/appendCopy(repeatStart_ + 1, table_.count())/appendCopy(repeatStart_ + 2, table_.count())/"
  "'v' before 'e' no longer ends the tune|player/tune/bars_repeats.cpp|s/(next == U'a' || next == U'e')/(next == U'a')/"
  "tuplet (4 taken as three notes|player/tune/note_events.cpp|s/U'4') tupletCount_ = 4/U'4') tupletCount_ = 3/"
  "rest sent as note 55|player/tune/note_events.cpp|s/kRestNote = 56/kRestNote = 55/"
  "key Dm read as C|player/tune/key_signature.cpp|s/KeyName{\"Dm\", \"F\"}/KeyName{\"Dm\", \"C\"}/"
  "title cut at 41 characters|player/tune/tune_index.cpp|s/kTitleChars = 40/kTitleChars = 41/"
  "tunedump escape: wrong hex digit|tools/tunedump/field_text.cpp|s/kHex\[code >> 4\]/kHex[code >> 3]/"
  "standard tuplet (4 in the time of two|player/abc/abc_body_reader.cpp|s/if (p == 2 || p == 4 || p == 8) defaultTime = 3;/if (p == 2 || p == 8) defaultTime = 3;/"
  "accidental forgotten within the bar|player/abc/abc_accidentals.cpp|s/if (!note.accidental) return peek(note.letter, note.natural);/if (!note.accidental) return std::nullopt;/"
  "dorian one flat short|player/abc/abc_key.cpp|s/Mode{\"dor\", -2}/Mode{\"dor\", -1}/"
  "standard reading: wrong ending pass looked for|player/abc/abc_play_order.cpp|s/endingAhead(at, pass_ + 1)/endingAhead(at, pass_ + 2)/"
  "note-off lost when the window closes mid-note|midicontrol/src/midi_control.cpp|s/^  currentPlatform().sendAt(sharedOutput().handle, noteOffWord(note, channel), end);$/  if (!host_.closing()) currentPlatform().sendAt(sharedOutput().handle, noteOffWord(note, channel), end);/"
  "control change status byte 0xA0|midicontrol/src/midi_control.cpp|s/kControlChange = 0xB0/kControlChange = 0xA0/"
  "GetPitchBend answers the pan (wrong member)|midicontrol/src/member_table.cpp|s/return GetPitchBend(integerArgument(args, 0));/return GetPan(integerArgument(args, 0));/"
  "Variant halves rounded up|midicontrol/src/variant.cpp|s/return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;/return floor + 1.0;/"
  "DeviceCount refusal: design-time error number|midicontrol/src/control_properties.cpp|s/kSetNotAllowed, \"DeviceCount is read-only\"/kSetNotAllowedAtDesignTime, \"DeviceCount is read-only\"/"
  "Stop honoured only in the last pass|player/play/playback_engine.cpp|s/if (stopPressed) return PlayEnding::Stopped;/if (stopPressed \&\& pass == passCount) return PlayEnding::Stopped;/"
  "one replay too few|player/play/playback_engine.cpp|s/view_.replaysValue() + 1/view_.replaysValue()/"
  "fingerboard box one too high|player/play/playback_engine.cpp|s/const int box = arguments.note - kLowestBoxNote;/const int box = arguments.note - kLowestBoxNote + 1;/"
  "MIDI file delta continuation flag 0x40|player/export/standard_midi_file.cpp|s/bytes\[--count\] | 0x80/bytes[--count] | 0x40/"
  "first title plays tune 0|player/loop/player_loop.cpp|s/if (row < 0 || /if (row < 1 || /"
  "instrument button a twip-pixel low|player/window/form1.cpp|s/rectFromTwips(9600, 5160, 1095, 495)/rectFromTwips(9600, 5175, 1095, 495)/"
  "TEMPO starts at 12|player/window/form1.cpp|s/kTempoAtStart = 11/kTempoAtStart = 12/"
  "reading choice not kept|player/app/reading_menu.cpp|/UserSettings()->setValue(kKey,/d"
  "Faster on = instead of +|player/app/player_actions.cpp|s/QKeySequence(Qt::Key_Plus)/QKeySequence(Qt::Key_Equal)/"
)

backup=$(mktemp)
planted=""
restore() {
  # A fresh copy, not a moved one: its new time makes the next build recompile it.
  [ -n "$planted" ] && cat "$backup" > "$planted"
  planted=""
}
trap 'restore; rm -f "$backup"' EXIT
trap 'restore; exit 130' INT TERM

for row in "${faults[@]}"; do
  IFS='|' read -r name file script <<< "$row"
  [[ $name =~ $only ]] || continue
  cp "$file" "$backup"
  planted=$file
  sed -i "$script" "$file"
  if cmp -s "$file" "$backup"; then
    printf '%s\t%s\tNOT PLANTED: the pattern is gone\n' "$name" "$file"
  elif $check; then
    printf '%s\t%s\tapplies\n' "$name" "$file"
  elif ! cmake --build "$build" -j2 > "$build/fault-build.log" 2>&1; then
    printf '%s\t%s\tBUILD FAILED (see %s)\n' "$name" "$file" "$build/fault-build.log"
  else
    caught=$(ctest --test-dir "$build" -j2 --timeout 120 -LE 'fuzz|e2e|package' -E abc_reference_comparison 2>&1 |
      sed -n '/The following tests FAILED/,$p' | sed -n 's/^[[:space:]]*[0-9]* - \(.*\) (.*)$/\1/p' | tr '\n' ' ')
    printf '%s\t%s\t%s\n' "$name" "$file" "${caught:-NOT CAUGHT}"
  fi
  restore
done
$check || cmake --build "$build" -j2 > /dev/null  # the build matches the sources again
