#include "engine/EventPacer.h"

namespace engine {

EventPacer::EventPacer(platform::Platform& platform, InstallSink& sink)
    : platform_(platform), sink_(sink), lastHandled_(platform.SteadyMilliseconds()) {}

bool EventPacer::Due() { return platform_.SteadyMilliseconds() - lastHandled_ >= kIntervalMilliseconds; }

void EventPacer::HandleNow() {
  sink_.HandlePendingEvents();
  // Counted from the end: a handling that took long (a question the user
  // answered) gives the work its full interval again.
  lastHandled_ = platform_.SteadyMilliseconds();
}

}  // namespace engine
