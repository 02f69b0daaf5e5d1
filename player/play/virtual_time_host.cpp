#include "player/play/virtual_time_host.h"

namespace corvale {

void VirtualTimeHost::waitForEventsUntil(std::int64_t deadlineMicroseconds) {
  clock_.advanceTo(deadlineMicroseconds);
}

}  // namespace corvale
