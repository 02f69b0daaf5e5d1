#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace corvale::abc {

// Which voice of a tune plays: the first one named, in the header or the body. Music
// before any V: field belongs to it; the other voices are passed over.
class VoiceChoice {
 public:
  explicit VoiceChoice(std::string firstVoice = {}) : firstVoice_(std::move(firstVoice)) {}

  // The voice a V: field's text names (its first word), as in "V:1 clef=bass".
  static std::string voiceOf(std::string_view fieldText);

  // The text of a V: field after its voice: its clef, transposition and other settings.
  static std::string_view afterVoice(std::string_view fieldText);

  // A V: field switches to its voice; the first voice ever named is the one that plays.
  void switchTo(std::string_view fieldText);

  bool playing() const { return playing_; }

 private:
  std::string firstVoice_;
  bool playing_ = true;
};

}  // namespace corvale::abc
