#pragma once

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "melodex/dispatch.h"
#include "melodex/member_ids.h"
#include "melodex/runtime_error.h"
#include "player/play/player_view.h"

namespace corvale::testing {

// A MIDI control that writes each call to the shared log instead of sounding,
// keeps time in whole milliseconds and lets a test act while a note sounds.
// A timed note ends early once the window is closing, as the real one does.
class ScriptedControl : public melodex::Dispatch {
 public:
  ScriptedControl(std::vector<std::string>& log, const PlayerView& view) : log_(log), view_(view) {}

  std::int32_t openResult = 0;
  std::int32_t bpm = 100;
  std::int64_t nowMs = 0;
  int notesStarted = 0;
  // Runs while note number `notesStarted` (from 1) sounds.
  std::function<void(int note)> duringNote;
  // When set, PlayNote raises this error after sending its note-on.
  int playNoteError = 0;

  melodex::Variant Invoke(std::int32_t memberId, melodex::InvokeKind kind,
                          std::span<melodex::Variant> args) override {
    namespace member = melodex::member;
    if (memberId == member::OpenHandle) {
      log_.push_back("open" + (args.empty() ? std::string() : " with argument"));
      return openResult;
    }
    if (memberId == member::CloseHandle) {
      log_.push_back("close");
      return {};
    }
    if (memberId == member::BPM && kind == melodex::InvokeKind::PropertyPut) {
      bpm = std::get<std::int32_t>(args[0]);
      log_.push_back("bpm " + std::to_string(bpm));
      return {};
    }
    if (memberId == member::ChangePatch) {
      log_.push_back("patch " + integers(args));
      return {};
    }
    if (memberId == member::StopNote) {
      log_.push_back("stop " + integers(args));
      return {};
    }
    if (memberId == member::PlayNote) return playNote(args);
    log_.push_back("unexpected member " + std::to_string(memberId));
    return {};
  }

 private:
  static std::string integers(std::span<melodex::Variant> args) {
    std::string text;
    for (const melodex::Variant& arg : args) {
      if (!text.empty()) text += ' ';
      text += std::to_string(std::get<std::int32_t>(arg));
    }
    return text;
  }

  melodex::Variant playNote(std::span<melodex::Variant> args) {
    const double duration = std::get<double>(args[3]);
    log_.push_back("on " + integers(args.first(3)) + " for " + std::to_string(duration) + " at " +
                   std::to_string(nowMs));
    ++notesStarted;
    if (playNoteError != 0) throw melodex::RuntimeError(playNoteError, "refused");
    if (duringNote) duringNote(notesStarted);
    if (!view_.closing()) nowMs += std::llround(60000.0 / bpm * duration);
    log_.push_back("off at " + std::to_string(nowMs));
    return std::int32_t{0};
  }

  std::vector<std::string>& log_;
  const PlayerView& view_;
};

}  // namespace corvale::testing
