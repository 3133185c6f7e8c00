// The tool's output. Texts are UTF-8 inside the tool; they reach a terminal
// in its encoding (on a Windows console as characters).
#pragma once
#include <string>

namespace cdtool {

// To stdout / stderr in the terminal's encoding; "?" stands for a character
// that has no form there.
void PrintOut(const std::string& utf8);
void PrintError(const std::string& utf8);
// To stdout as UTF-8 whatever the terminal (JSON is UTF-8 by definition).
void PrintOutUtf8(const std::string& utf8);

}  // namespace cdtool
