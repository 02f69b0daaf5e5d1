#include "abc/abc_sound_writer.h"

#include <algorithm>

namespace corvale::abc {
namespace {

constexpr int kLowestNote = 0;
constexpr int kHighestNote = 127;

bool playable(int note) { return note >= kLowestNote && note <= kHighestNote; }

}  // namespace

void SoundWriter::startItem() {
  MusicItem item;
  item.firstRow = static_cast<std::uint32_t>(music_.rows.size());
  music_.items.push_back(item);
  lastItem_ = music_.items.size() - 1;
}

void SoundWriter::appendRow(const NoteEvent& row) {
  music_.rows.push_back(row);
  ++music_.items[*lastItem_].rowCount;
}

std::vector<bool> SoundWriter::continuing(std::span<const ChordNote> notes,
                                          std::vector<const Sounding*>& from) const {
  std::vector<bool> goesOn(notes.size(), false);
  from.assign(notes.size(), nullptr);
  for (std::size_t i = 0; i < notes.size(); ++i) {
    for (const Sounding& sound : sounding_) {
      const bool taken = std::find(from.begin(), from.end(), &sound) != from.end();
      if (sound.tied && !taken && sound.natural == notes[i].natural) {
        goesOn[i] = true;
        from[i] = &sound;
        break;
      }
    }
  }
  return goesOn;
}

void SoundWriter::holdOn(Sounding& sound, double duration) {
  NoteEvent& row = music_.rows[sound.row];
  if (row.duration > 0) {
    // The last sound's time row goes on: a silent row keeps that sound's time instead.
    const double time = row.duration;
    row.duration = 0;
    const RowPlace place = sound.row < music_.places.size() ? music_.places[sound.row] : RowPlace{};
    appendRow(restRow(time));
    if (music_.places.size() + 1 == music_.rows.size()) music_.places.push_back(place);
  }
  sound.length += duration;
  row.heldFor = sound.length;
}

void SoundWriter::addSound(std::span<const ChordNote> notes, double duration, std::span<const LeadNote> lead) {
  std::vector<const Sounding*> from;
  const std::vector<bool> goesOn = continuing(notes, from);
  std::vector<ChordNote> fresh;
  for (std::size_t i = 0; i < notes.size(); ++i) {
    if (!goesOn[i] && playable(notes[i].note)) fresh.push_back(notes[i]);
  }
  const bool anyGoesOn = std::find(goesOn.begin(), goesOn.end(), true) != goesOn.end();
  const bool allGoOn = anyGoesOn && fresh.empty() && std::all_of(sounding_.begin(), sounding_.end(), [&](const Sounding& s) {
    return std::find(from.begin(), from.end(), &s) != from.end();
  });

  std::vector<Sounding> next;
  carriers_.clear();
  if (allGoOn) {
    // Every note sounding goes on and none starts: the last sound lasts longer.
    const MusicItem& last = music_.items[*lastItem_];
    const std::size_t timeRow = last.firstRow + last.rowCount - 1;
    music_.rows[timeRow].duration += duration;
    carriers_.push_back({timeRow, false});
    for (Sounding& sound : sounding_) {
      sound.length += duration;
      if (music_.rows[sound.row].heldFor > 0) {
        music_.rows[sound.row].heldFor = sound.length;
        carriers_.push_back({sound.row, true});
      }
    }
    for (std::size_t i = 0; i < notes.size(); ++i) {
      if (from[i] != nullptr) next.push_back({*from[i]});
      if (from[i] != nullptr) next.back().tied = notes[i].tied;
    }
    sounding_ = std::move(next);
    ownLength_ = duration;
    return;
  }

  // The tied notes go on to this sound's end; the others of the last sound end with it.
  for (std::size_t i = 0; i < notes.size(); ++i) {
    if (from[i] == nullptr) continue;
    Sounding going = *from[i];
    holdOn(going, duration);
    going.tied = notes[i].tied;
    carriers_.push_back({going.row, true});
    next.push_back(going);
  }
  startItem();
  double mainLength = duration;
  if (!fresh.empty()) {
    // Grace and ornament notes only before a note struck anew.
    for (const LeadNote& note : lead) {
      appendRow(playable(note.note) ? NoteEvent{.note = static_cast<double>(note.note), .duration = note.length}
                                    : restRow(note.length));
      mainLength -= note.length;
    }
  }
  for (const ChordNote& note : fresh) {
    appendRow(NoteEvent{.note = static_cast<double>(note.note), .duration = 0});
    next.push_back({note.natural, note.note, music_.rows.size() - 1, mainLength, note.tied});
  }
  if (fresh.empty()) appendRow(restRow(0));
  music_.rows.back().duration = mainLength;
  carriers_.push_back({music_.rows.size() - 1, false});
  sounding_ = std::move(next);
  ownLength_ = mainLength;
}

void SoundWriter::addRest(double duration) {
  sounding_.clear();
  startItem();
  appendRow(restRow(duration));
  carriers_.assign(1, {music_.rows.size() - 1, false});
  ownLength_ = duration;
}

void SoundWriter::tieLast() {
  for (Sounding& sound : sounding_) sound.tied = true;
}

bool SoundWriter::stretchLast(double factor) {
  if (!lastItem_) return false;
  lengthen(ownLength_ * (factor - 1));
  ownLength_ *= factor;
  return true;
}

void SoundWriter::lengthen(double eighths) {
  for (const Carrier& carrier : carriers_) {
    NoteEvent& row = music_.rows[carrier.row];
    (carrier.held ? row.heldFor : row.duration) += eighths;
  }
  for (Sounding& sound : sounding_) sound.length += eighths;
}

}  // namespace corvale::abc
