#include "tools/cdtool/Console.h"

#include <cstdio>

#include "tools/cdtool/Charset.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#endif

namespace cdtool {

namespace {

// The text in the terminal's encoding, with "?" for a character that has no
// form there, so that the rest of a message stays readable.
std::string ForTerminal(const std::string& utf8) {
  std::string converted;
  if (ConvertText(utf8, Charset::Utf8, Charset::Terminal, converted)) return converted;
  converted.clear();
  for (std::size_t i = 0; i < utf8.size();) {
    // A UTF-8 lead byte tells how many bytes its character takes.
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    std::string character;
    converted += ConvertText(utf8.substr(i, length), Charset::Utf8, Charset::Terminal, character) ? character : "?";
    i += length;
  }
  return converted;
}

void Write(std::FILE* stream, const std::string& utf8, bool keepUtf8) {
#ifdef _WIN32
  // A console shows UTF-16 whatever its code page; files and pipes get bytes.
  HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  if (GetConsoleMode(handle, &mode)) {
    std::fflush(stream);
    const std::wstring wide = Utf8ToWide(utf8);
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
#endif
  const std::string bytes = keepUtf8 ? utf8 : ForTerminal(utf8);
  std::fwrite(bytes.data(), 1, bytes.size(), stream);
  std::fflush(stream);
}

}  // namespace

void PrintOut(const std::string& utf8) { Write(stdout, utf8, false); }
void PrintError(const std::string& utf8) { Write(stderr, utf8, false); }
void PrintOutUtf8(const std::string& utf8) { Write(stdout, utf8, true); }

}  // namespace cdtool
