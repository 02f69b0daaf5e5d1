#include "player/play/instrument_switch.h"

#include <array>

#include "melodex/member_ids.h"
#include "practice/practice_desk.h"

namespace corvale {
namespace {

void changePatch(melodex::Dispatch& midix, int patch) {
  std::array<melodex::Variant, 2> args{std::int32_t{kTuneChannel}, std::int32_t{patch}};
  midix.Invoke(melodex::member::ChangePatch, melodex::InvokeKind::Method, args);
}

}  // namespace

void switchInstrument(PlayerView& view, melodex::Dispatch& midix) {
  const std::string caption = view.instrumentCaption();
  if (caption == kFiddleCaption) {
    changePatch(midix, kBanjoPatch);
    view.setInstrumentCaption(kBanjoCaption);
    view.setFretsVisible(true);
  } else if (caption == kBanjoCaption) {
    changePatch(midix, kFiddlePatch);
    view.setInstrumentCaption(kFiddleCaption);
    view.setFretsVisible(false);
  }
}

void keepInstrument(PlayerView& view, melodex::Dispatch& midix) {
  const std::string caption = view.instrumentCaption();
  if (caption == kFiddleCaption) {
    changePatch(midix, kFiddlePatch);
    view.setFretsVisible(false);
  } else if (caption == kBanjoCaption) {
    changePatch(midix, kBanjoPatch);
    view.setFretsVisible(true);
  }
}

void startInstrument(PlayerView& view, melodex::Dispatch& midix) {
  const PracticeDesk* desk = view.practiceDesk();
  if (desk == nullptr || desk->switchInstrumentAtStart()) {
    switchInstrument(view, midix);
  } else {
    keepInstrument(view, midix);
  }
}

}  // namespace corvale
