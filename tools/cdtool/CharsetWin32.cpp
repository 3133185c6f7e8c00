// Character set conversion on Windows, through UTF-16 with code pages.
#ifdef _WIN32
#include <windows.h>

#include "tools/cdtool/Charset.h"

namespace cdtool {

namespace {

constexpr UINT kGbkCodePage = 936;

UINT CodePage(Charset charset) {
  switch (charset) {
    case Charset::Utf8: return CP_UTF8;
    case Charset::Gbk: return kGbkCodePage;
    case Charset::Terminal: break;
  }
  return GetConsoleOutputCP();
}

bool ToWide(const std::string& in, UINT codePage, std::wstring& wide) {
  if (in.empty()) return true;
  const int size = static_cast<int>(in.size());
  const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), size, nullptr, 0);
  if (length <= 0) return false;
  wide.resize(static_cast<std::size_t>(length));
  return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), size, &wide[0], length) == length;
}

bool FromWide(const std::wstring& wide, UINT codePage, std::string& out) {
  if (wide.empty()) return true;
  const int size = static_cast<int>(wide.size());
  // UTF-8 has a form for every character and refuses the used-default flag;
  // other code pages must say when a character had none instead of
  // replacing it by "?" or by a look-alike ("best fit").
  const bool utf8 = codePage == CP_UTF8;
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultOut = utf8 ? nullptr : &usedDefault;
  const int length = WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, usedDefaultOut);
  if (length <= 0 || usedDefault) return false;
  out.resize(static_cast<std::size_t>(length));
  return WideCharToMultiByte(codePage, flags, wide.data(), size, &out[0], length, nullptr, usedDefaultOut) == length &&
         !usedDefault;
}

}  // namespace

std::wstring Utf8ToWide(const std::string& utf8) {
  const int size = static_cast<int>(utf8.size());
  std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)), L'\0');
  if (!wide.empty()) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, &wide[0], static_cast<int>(wide.size()));
  return wide;
}

std::string WideToUtf8(const std::wstring& wide) {
  const int size = static_cast<int>(wide.size());
  std::string utf8(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr)), '\0');
  if (!utf8.empty())
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, &utf8[0], static_cast<int>(utf8.size()), nullptr, nullptr);
  return utf8;
}

bool ConvertText(const std::string& in, Charset from, Charset to, std::string& out) {
  std::wstring wide;
  std::string result;
  if (!ToWide(in, CodePage(from), wide) || !FromWide(wide, CodePage(to), result)) return false;
  out = std::move(result);
  return true;
}

}  // namespace cdtool
#endif
