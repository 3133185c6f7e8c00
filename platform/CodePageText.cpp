#include "platform/CodePageText.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#endif

namespace platform {

#ifdef _WIN32

std::string CodePageToUtf8(const std::string& text, unsigned codePage) {
  if (text.empty()) return std::string();
  const int size = static_cast<int>(text.size());
  std::wstring wide(static_cast<std::size_t>(::MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0)), L'\0');
  if (wide.empty()) return std::string();
  ::MultiByteToWideChar(codePage, 0, text.data(), size, &wide[0], static_cast<int>(wide.size()));
  const int wideSize = static_cast<int>(wide.size());
  std::string utf8(
      static_cast<std::size_t>(::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, nullptr, 0, nullptr, nullptr)),
      '\0');
  if (!utf8.empty())
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, &utf8[0], static_cast<int>(utf8.size()), nullptr, nullptr);
  return utf8;
}

#else

std::string CodePageToUtf8(const std::string& text, unsigned codePage) {
  const std::string name = "CP" + std::to_string(codePage);
  iconv_t converter = iconv_open("UTF-8", name.c_str());
  if (converter == reinterpret_cast<iconv_t>(-1)) return text;
  std::string utf8;
  char* input = const_cast<char*>(text.data());
  std::size_t inputLeft = text.size();
  char buffer[256];
  while (inputLeft > 0) {
    char* output = buffer;
    std::size_t outputLeft = sizeof buffer;
    const std::size_t status = iconv(converter, &input, &inputLeft, &output, &outputLeft);
    utf8.append(buffer, static_cast<std::size_t>(output - buffer));
    if (status == static_cast<std::size_t>(-1) && errno != E2BIG) {
      // EILSEQ or EINVAL: a byte that starts no character, or one cut short.
      utf8 += "\xEF\xBF\xBD";
      ++input;
      --inputLeft;
    }
  }
  iconv_close(converter);
  return utf8;
}

#endif

}  // namespace platform
