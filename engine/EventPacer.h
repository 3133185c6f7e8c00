// The pace at which long work lets the user interface handle its pending
// events: often enough that the window answers at once and a cancel request
// comes in while a large file copies or a disc is counted, seldom enough to
// cost nothing against the work.
#pragma once
#include <cstdint>

#include "engine/InstallSink.h"
#include "platform/Platform.h"

namespace engine {

class EventPacer {
 public:
  // The longest the window waits between two handlings during long work.
  static constexpr std::int64_t kIntervalMilliseconds = 30;

  EventPacer(platform::Platform& platform, InstallSink& sink);

  // True when kIntervalMilliseconds have passed since events were last
  // handled.
  bool Due();
  // Handles the pending events now.
  void HandleNow();
  // Handles the pending events when they are due.
  void Poll() {
    if (Due()) HandleNow();
  }

 private:
  platform::Platform& platform_;
  InstallSink& sink_;
  std::int64_t lastHandled_;
};

}  // namespace engine
