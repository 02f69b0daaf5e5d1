#include "tune/bars_repeats.h"

namespace corvale {

BarsRepeats::Action BarsRepeats::barStep(const ScanWindow& window) {
  const char32_t c = window.current;
  const char32_t next = window.next;

  // A "v" before "a" or "e" ends the tune wherever it stands, words like "Variation" too.
  if ((c == U'v' || c == U'V') && (next == U'a' || next == U'e')) return Action::EndOfTune;

  if (c == U'|' && next == U'|') {
    repeatStart_ = table_.count();
    commonPartLength_ = 0;
    inFirstEnding_ = false;
    return Action::SkipNext;
  }
  // A start-repeat sign does not move the repeat start: notes before it repeat too.
  if (c == U'|' && next == U':') return Action::SkipNext;

  if ((c == U'[' || c == U'|') && next == U'1') {
    commonPartLength_ = table_.count() - repeatStart_;
    inFirstEnding_ = true;
    return Action::SkipNext;
  }
  if ((c == U'[' || c == U'|') && next == U'2') {
    inFirstEnding_ = false;
    const bool copied = table_.appendCopy(repeatStart_ + 1, repeatStart_ + commonPartLength_);
    return copied ? Action::SkipNext : Action::EndOfTune;
  }
  // An end-repeat: no skip, so the "|" of ":|" is read again as the start of "|2".
  if (c == U':' && (next == U'|' || next == U':')) {
    if (inFirstEnding_) return Action::Continue;  // the second ending makes the copy
    const bool copied = table_.appendCopy(repeatStart_ + 1, table_.count());
    commonPartLength_ = 0;
    repeatStart_ = table_.count();
    return copied ? Action::Continue : Action::EndOfTune;
  }
  return Action::Continue;
}

}  // namespace corvale
