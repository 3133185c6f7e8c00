// Locale: the user's case-insensitive comparison, decimal separator and
// ANSI code page (its lead bytes, and conversion to UTF-8).
#include "platform/CodePageText.h"
// conversion to the ANSI code page.
#include <utility>

#include "platform/win32/Win32Platform.h"
#include <windows.h>

namespace platform {

int Win32Platform::CompareTextNoCase(const std::string& a, const std::string& b) {
  // CompareStringA answers 1, 2 or 3 for less, equal, greater (0 on failure).
  return ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) -
         CSTR_EQUAL;
}

char Win32Platform::DecimalSeparator() {
  char buffer[8] = {};
  if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof buffer) == 0 || buffer[0] == '\0')
    return '.';
  return buffer[0];
}

text::LeadBytes Win32Platform::AnsiLeadBytes() {
  return text::LeadBytes::FromTest([](unsigned char c) { return ::IsDBCSLeadByteEx(CP_ACP, c) != FALSE; });
}

std::string Win32Platform::AnsiToUtf8(const std::string& ansi) { return CodePageToUtf8(ansi, CP_ACP); }

bool Win32Platform::WideToAnsi(const std::u16string& wide, std::string& ansi) {
  if (wide.empty()) {
    ansi.clear();
    return true;
  }
  // No best fit: a character without its own form must fail, not become a
  // look-alike; the used-default flag tells that one became "?".
  const auto* chars = reinterpret_cast<const wchar_t*>(wide.data());
  const int size = static_cast<int>(wide.size());
  BOOL usedDefault = FALSE;
  const int length = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, chars, size, nullptr, 0, nullptr, &usedDefault);
  if (length <= 0 || usedDefault) return false;
  std::string result(static_cast<std::size_t>(length), '\0');
  if (::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, chars, size, &result[0], length, nullptr, &usedDefault) !=
          length ||
      usedDefault)
    return false;
  ansi = std::move(result);
  return true;
}

}  // namespace platform
