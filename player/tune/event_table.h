#pragma once

#include <vector>

#include "tune/note_event.h"

namespace corvale {

// The tune in order of play, rows 1 to count(). It holds at most capacity() rows, 4000
// unless the reading that fills it asks for more: an append past the last row is refused
// and the tune ends with the rows already written.
class EventTable {
 public:
  static constexpr int kRows = 4000;

  EventTable() = default;
  explicit EventTable(int capacity) : capacity_(capacity) {}

  int capacity() const { return capacity_; }

  int count() const { return static_cast<int>(rows_.size()); }  // EventCount
  const NoteEvent& row(int i) const { return rows_[static_cast<std::size_t>(i - 1)]; }  // 1-based
  NoteEvent& row(int i) { return rows_[static_cast<std::size_t>(i - 1)]; }
  bool full() const { return count() >= capacity_; }

  // Appends a row; false (and nothing appended) when the table is full.
  bool append(const NoteEvent& event = NoteEvent{});

  // Appends a copy of rows first..last in order, one at a time while they fit;
  // false when the table filled before the copy was complete.
  bool appendCopy(int first, int last);

  void clear() { rows_.clear(); }
  // Room for capacity() rows at once, so that filling the table never copies it.
  void reserve() { rows_.reserve(static_cast<std::size_t>(capacity_)); }

 private:
  int capacity_ = kRows;
  std::vector<NoteEvent> rows_;
};

}  // namespace corvale
