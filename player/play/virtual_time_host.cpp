#include "player/play/virtual_time_host.h"

namespace corvale {

void VirtualTimeHost::waitForEventsUntil(std::int64_t deadlineMicroseconds) {
  if (!closing_) clock_.advanceTo(deadlineMicroseconds);
}

}  // namespace corvale
