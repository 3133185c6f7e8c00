// Character set conversion on Linux, with glibc's iconv.
#ifndef _WIN32
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <langinfo.h>

#include "tools/cdtool/Charset.h"

namespace cdtool {

namespace {

std::string IconvName(Charset charset) {
  switch (charset) {
    case Charset::Utf8: return "UTF-8";
    case Charset::Gbk: return "GBK";
    case Charset::Terminal: break;
  }
  // main() has set the locale from the environment. The C locale says
  // ASCII, which cannot show the names at all; terminals today take UTF-8.
  const std::string codeset = nl_langinfo(CODESET);
  return codeset == "ANSI_X3.4-1968" ? "UTF-8" : codeset;
}

}  // namespace

bool ConvertText(const std::string& in, Charset from, Charset to, std::string& out) {
  iconv_t converter = iconv_open(IconvName(to).c_str(), IconvName(from).c_str());
  if (converter == reinterpret_cast<iconv_t>(-1)) return false;
  std::string result(in.size() * 2 + 16, '\0');
  char* input = const_cast<char*>(in.data());
  std::size_t inputLeft = in.size();
  std::size_t written = 0;
  bool ok = true;
  while (inputLeft > 0) {
    char* output = &result[written];
    std::size_t outputLeft = result.size() - written;
    const std::size_t status = iconv(converter, &input, &inputLeft, &output, &outputLeft);
    written = result.size() - outputLeft;
    if (status != static_cast<std::size_t>(-1)) break;
    if (errno != E2BIG) {  // EILSEQ or EINVAL: no form there, or a cut character
      ok = false;
      break;
    }
    result.resize(result.size() * 2);
  }
  iconv_close(converter);
  if (!ok) return false;
  result.resize(written);
  out = std::move(result);
  return true;
}

}  // namespace cdtool
#endif
