// What /STATUS reports: the installed packs of a material library that
// still wait for discs, read from their pending-disc files alone, so that
// no disc is needed to ask.
#pragma once
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace deploy {

struct PendingPack {
  std::string Standard, Specialty;
  std::vector<std::string> Labels;  // the discs it waits for
  bool Unreadable = false;          // its Install.Dat could not be read: its discs are unknown
};

// Every pack folder targetMatterLib + standard\specialty\ whose Install.Dat
// lists a disc or cannot be read (its next run asks for all the pack's
// discs again), in listing order. A pack folder with no Install.Dat was
// never installed and is not listed; nor is a complete one.
std::vector<PendingPack> PendingPacks(platform::Platform& platform, const std::string& targetMatterLib);

}  // namespace deploy
