#include "abc/abc_voice_choice.h"

#include "abc/abc_fields.h"

namespace corvale::abc {

std::string VoiceChoice::voiceOf(std::string_view fieldText) {
  const std::string_view text = trimmed(fieldText);
  return std::string(text.substr(0, text.find_first_of(" \t]")));
}

void VoiceChoice::switchTo(std::string_view fieldText) {
  const std::string voice = voiceOf(fieldText);
  if (firstVoice_.empty()) firstVoice_ = voice;
  playing_ = voice == firstVoice_;
}

}  // namespace corvale::abc
