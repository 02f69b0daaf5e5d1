#include "abc/abc_voice_choice.h"

#include "abc/abc_fields.h"

namespace corvale::abc {

std::string VoiceChoice::voiceOf(std::string_view fieldText) {
  const std::string_view text = trimmed(fieldText);
  return std::string(text.substr(0, text.find_first_of(" \t]")));
}

std::string_view VoiceChoice::afterVoice(std::string_view fieldText) {
  const std::string_view text = trimmed(fieldText);
  const std::size_t end = text.find_first_of(" \t]");
  return end == std::string_view::npos ? std::string_view() : text.substr(end);
}

void VoiceChoice::switchTo(std::string_view fieldText) {
  const std::string voice = voiceOf(fieldText);
  if (firstVoice_.empty()) firstVoice_ = voice;
  playing_ = voice == firstVoice_;
}

}  // namespace corvale::abc
