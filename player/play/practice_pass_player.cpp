#include "player/play/practice_pass_player.h"

#include <array>

#include "melodex/member_ids.h"
#include "melodex/runtime_error.h"
#include "practice/practice_desk.h"
#include "player/play/row_arguments.h"

namespace corvale {
namespace {

constexpr double kSameMoment = 1e-9;
constexpr int kBeatsPerMinutePerTempoStep = 30;

}  // namespace

PracticePassPlayer::PracticePassPlayer(PlayerView& view, melodex::Dispatch& midix, const ParsedTune& tune,
                                       ChordRows chordRows, bool follow)
    : view_(view), midix_(midix), tune_(tune), chordRows_(chordRows),
      follow_(follow && tune.places.size() == static_cast<std::size_t>(tune.events.count())) {}

PassEnding PracticePassPlayer::play(const PracticePass& pass) {
  tempoPercent_ = pass.tempoPercent;
  const std::vector<Click>& clicks = pass.clicks;
  std::size_t nextClick = 0;
  // The count-in: each click lasts to the next, the last to the first note.
  while (nextClick < clicks.size() && clicks[nextClick].at < -kSameMoment) {
    const bool lastOfCountIn = nextClick + 1 == clicks.size() || clicks[nextClick + 1].at >= -kSameMoment;
    const double until = lastOfCountIn ? 0.0 : clicks[nextClick + 1].at;
    setTempo();
    view_.processPendingEvents();
    if (view_.closing()) return PassEnding::Closing;
    clickTimed(clicks[nextClick], lengthOf(until - clicks[nextClick].at));
    ++nextClick;
    if (const auto ending = betweenNotes()) return *ending;
  }
  double at = 0;
  for (int row : pass.rows) {
    const NoteEvent& event = tune_.events.row(row);
    if (!playRow(row, clicks, nextClick, at)) return PassEnding::Closing;
    at += event.duration;
    const bool held = event.duration == 0 && chordRows_ == ChordRows::HeldToChordEnd && event.velocity != 0;
    if (held) continue;
    releaseHeldAfter(event.duration);
    if (const auto ending = betweenNotes()) return *ending;
  }
  releaseHeld();
  endClick();
  return PassEnding::Done;
}

bool PracticePassPlayer::playRow(int row, const std::vector<Click>& clicks, std::size_t& nextClick, double at) {
  const NoteEvent& event = tune_.events.row(row);
  const RowArguments arguments = argumentsOf(event);
  const double end = at + event.duration;
  const bool clickNow = nextClick < clicks.size() && clicks[nextClick].at <= at + kSameMoment;
  std::size_t inner = nextClick + (clickNow ? 1 : 0);
  std::size_t innerEnd = inner;
  while (event.duration > 0 && innerEnd < clicks.size() && clicks[innerEnd].at < end - kSameMoment) ++innerEnd;

  setTempo();
  const int box = hasBox(arguments.note) ? arguments.note - kLowestBoxNote : -1;
  if (box >= 0) view_.showBox(box);
  markRow(row, event.duration > 0);
  view_.processPendingEvents();
  if (view_.closing()) {
    if (box >= 0) view_.hideBox(box);
    return false;
  }
  if (event.duration == 0 || inner == innerEnd) {
    // Nothing falls inside the note: a click on its beat sounds with it, to its end.
    if (clickNow) {
      endClick();
      clickOn(clicks[nextClick++]);
    }
    timedNote(arguments.note, arguments.velocity, arguments.channel, lengthOf(event.duration));
    const bool held = event.duration == 0 && chordRows_ == ChordRows::HeldToChordEnd && arguments.velocity != 0;
    if (held) {
      held_.push_back({arguments.note, arguments.channel, box, event.heldFor});
    } else {
      if (box >= 0) view_.hideBox(box);
      if (event.duration > 0) endClick();
    }
    return !view_.closing();
  }
  // Beats fall inside the note: it sounds on while the clicks take the time.
  noteOn(arguments.note, arguments.velocity, arguments.channel);
  const Sounding note{arguments.note, arguments.channel, box};
  held_.push_back(note);
  std::optional<Click> starting;
  if (clickNow) starting = clicks[nextClick];
  double from = at;
  for (std::size_t i = inner; i <= innerEnd; ++i) {
    const double until = i < innerEnd ? clicks[i].at : end;
    setTempo();
    if (starting) {
      endClick();
      clickTimed(*starting, lengthOf(until - from));
    } else {
      timedNote(kSilentWaitNote, 0, kClickChannel, lengthOf(until - from));
      endClick();
    }
    if (view_.closing()) return false;
    if (i < innerEnd) starting = clicks[i];
    from = until;
  }
  nextClick = innerEnd;
  return true;
}

void PracticePassPlayer::markRow(int row, bool show) {
  if (!follow_) return;
  const RowPlace& place = tune_.places[static_cast<std::size_t>(row - 1)];
  const std::size_t begin = place.column;
  const std::size_t end = begin + place.width;
  if (mark_ && mark_->line == place.line && place.width > 0) {
    mark_->begin = std::min(mark_->begin, begin);
    mark_->end = std::max(mark_->end, end);
  } else if (!mark_ || mark_->line != place.line) {
    mark_ = Mark{place.line, begin, end};
  }
  // A chord's notes come as rows that take no time before its last: marked together.
  if (!show) return;
  view_.markTuneLine(mark_->line, mark_->begin, mark_->end - mark_->begin);
  mark_.reset();
}

void PracticePassPlayer::setTempo() {
  // BPM follows the slider as in every play; a pass's share of the tempo stretches its lengths.
  std::array<melodex::Variant, 1> value{std::int32_t{kBeatsPerMinutePerTempoStep * view_.tempoValue()}};
  midix_.Invoke(melodex::member::BPM, melodex::InvokeKind::PropertyPut, value);
  if (tempoPercent_ != 100) view_.showPlayedTempo(view_.tempoValue() * tempoPercent_ / 100.0);
}

double PracticePassPlayer::lengthOf(double duration) const {
  return tempoPercent_ == 100 ? duration : duration * 100.0 / tempoPercent_;
}

void PracticePassPlayer::timedNote(std::int32_t note, std::int32_t velocity, std::int32_t channel, double duration) {
  std::array<melodex::Variant, 4> arguments{note, velocity, channel, duration};
  try {
    midix_.Invoke(melodex::member::PlayNote, melodex::InvokeKind::Method, arguments);
  } catch (const melodex::RuntimeError&) {
    // The note-on may have gone out before the refusal.
    stop({note, channel, -1});
    throw;
  }
}

void PracticePassPlayer::noteOn(std::int32_t note, std::int32_t velocity, std::int32_t channel) {
  timedNote(note, velocity, channel, 0.0);
}

void PracticePassPlayer::stop(const Sounding& sounding) {
  std::array<melodex::Variant, 2> arguments{sounding.note, sounding.channel};
  try {
    midix_.Invoke(melodex::member::StopNote, melodex::InvokeKind::Method, arguments);
  } catch (const melodex::RuntimeError&) {
    // The rest are still ended; a refusal while playing is reported by the play.
  }
  if (sounding.box >= 0) view_.hideBox(sounding.box);
}

void PracticePassPlayer::clickTimed(const Click& click, double duration) {
  timedNote(click.accent ? kAccentClickNote : kBeatClickNote, click.accent ? kAccentClickVelocity : kBeatClickVelocity,
            kClickChannel, duration);
}

void PracticePassPlayer::clickOn(const Click& click) {
  const std::int32_t note = click.accent ? kAccentClickNote : kBeatClickNote;
  noteOn(note, click.accent ? kAccentClickVelocity : kBeatClickVelocity, kClickChannel);
  click_ = Sounding{note, kClickChannel, -1};
}

void PracticePassPlayer::endClick() {
  if (click_) stop(*click_);
  click_.reset();
}

void PracticePassPlayer::releaseHeldAfter(double units) {
  // Lengths are sums of fractions of a unit: a tie ending with this row ends within a hair of it.
  constexpr double kTolerance = 1e-6;
  std::erase_if(held_, [&](Sounding& sounding) {
    if (sounding.unitsLeft <= units + kTolerance) {
      stop(sounding);
      return true;
    }
    sounding.unitsLeft -= units;
    return false;
  });
}

void PracticePassPlayer::releaseHeld() {
  for (const Sounding& sounding : held_) stop(sounding);
  held_.clear();
}

void PracticePassPlayer::silenceAll() {
  releaseHeld();
  endClick();
}

std::optional<PassEnding> PracticePassPlayer::betweenNotes() {
  // The sounding note has ended: only now are Stop and a pause honoured.
  while (view_.runCaption() == kPausedCaption && !view_.closing()) view_.waitForWindowEvents();
  const bool stopPressed = view_.runCaption() == kStartCaption;
  view_.showWindow();
  if (view_.closing()) return PassEnding::Closing;
  if (stopPressed) return PassEnding::Stopped;
  PracticeDesk* desk = view_.practiceDesk();
  if (desk && desk->takeRestart()) return PassEnding::Restart;
  return std::nullopt;
}

}  // namespace corvale
