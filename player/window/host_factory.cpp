#include "player/window/host_factory.h"

#include "melodex/clock.h"

namespace corvale {

HostFactory realTimeHostFactory() {
  return [](QWidget& window, melodex::PropertyStore& store) {
    // The steady clock holds no state, so every host may share one for the program's life.
    static const melodex::SteadyClock clock;
    return std::make_unique<melodex::QtHost>(&window, store, clock);
  };
}

}  // namespace corvale
