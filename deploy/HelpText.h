// The text that /? shows: every switch and every exit code.
#pragma once
#include <string>

namespace deploy {

// Lines separated by "\r\n", for a message box and for a console.
std::string HelpText();

}  // namespace deploy
