// Conversion of texts in a Windows code page to UTF-8, for files that must
// be UTF-8 whatever the machine's ANSI code page (the setup log).
#pragma once
#include <string>

namespace platform {

constexpr unsigned kGbkCodePage = 936;

// text, read in codePage, as UTF-8. Bytes that form no character of the code
// page are replaced (by U+FFFD, or by the code page's default character on
// Windows), never dropped, so that every byte leaves a trace.
std::string CodePageToUtf8(const std::string& text, unsigned codePage);

}  // namespace platform
