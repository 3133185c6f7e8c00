// Conversions between the texts the tool meets: UTF-8 (its own texts, the
// command line, the names of files on Linux), GBK (the bytes the installer
// reads in CDFile.Dat and Install.Dat) and the terminal's encoding.
// iconv on Linux; code pages on Windows (GBK is code page 936 there, so that
// a disc set comes out the same whatever the authoring machine's ANSI code
// page is).
#pragma once
#include <filesystem>
#include <string>

namespace cdtool {

enum class Charset {
  Utf8,
  Gbk,
  // The terminal's: the locale's character set on Linux (UTF-8 under the C
  // locale), the console's output code page on Windows.
  Terminal,
};

// The whole of `in` in another character set; false when some character has
// no form there or `in` is not valid in `from`.
bool ConvertText(const std::string& in, Charset from, Charset to, std::string& out);

// GBK form of a UTF-8 text; false when it has none.
bool Utf8ToGbk(const std::string& utf8, std::string& gbk);
// GBK bytes as UTF-8, for showing; a byte that starts no GBK character is
// shown as \xNN, so that every byte is accounted for.
std::string ShowGbk(const std::string& gbk);
// A path as UTF-8, for messages.
inline std::string ShowPath(const std::filesystem::path& path) { return path.u8string(); }
// GBK form of the last component of a path, as the installer will see it.
bool NameToGbk(const std::filesystem::path& path, std::string& gbk);

#ifdef _WIN32
// The console and the command line speak UTF-16 on Windows. Characters that
// cannot be converted become U+FFFD.
std::wstring Utf8ToWide(const std::string& utf8);
std::string WideToUtf8(const std::wstring& wide);
#endif

}  // namespace cdtool
