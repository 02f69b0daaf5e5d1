#include "tune/event_table.h"

namespace corvale {

bool EventTable::append(const NoteEvent& event) {
  if (full()) return false;
  rows_.push_back(event);
  return true;
}

bool EventTable::appendCopy(int first, int last) {
  for (int i = first; i <= last; ++i) {
    if (!append(NoteEvent(row(i)))) return false;
  }
  return true;
}

}  // namespace corvale
