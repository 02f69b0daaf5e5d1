#pragma once

#include "tune/body_stream.h"
#include "tune/event_table.h"
#include "tune/key_signature.h"

namespace corvale {

// Reads the packed body position by position and fills the event table. At each
// position, in this order: chord symbols are skipped, a note letter gets its pitch with
// pending sharp and flat marks, marks are recorded, the key signature and natural sign
// are applied, then the note, bar and rest steps run.
class BodyScan {
 public:
  BodyScan(const BodyStream& stream, const KeySignature& key, EventTable& table)
      : stream_(stream), key_(key), table_(table) {}

  void run();

 private:
  const BodyStream& stream_;
  const KeySignature& key_;
  EventTable& table_;
};

}  // namespace corvale
