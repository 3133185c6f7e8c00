// Helpers over byte strings in the ANSI code page (GBK). A double-byte
// character starts with a lead byte 0x81..0xFE; its second byte may look like
// "\" or ":" and must never be taken for one.
#pragma once
#include <string>

namespace text {

bool IsLeadByte(unsigned char c);

// Index of the first byte of the last whole character, or npos for "".
std::size_t LastCharStart(const std::string& s);

// Index of the first whole character c (an ASCII character) at or after
// from, never the second byte of a double-byte character; npos when none.
std::size_t FindWholeChar(const std::string& s, char c, std::size_t from = 0);

// Folder part including the final "\" or ":", e.g. "E:\a\b.exe" -> "E:\a\".
std::string ExtractFilePath(const std::string& path);
// Name after the last "\" or ":".
std::string ExtractFileName(const std::string& path);
// Extension of the name including its dot, e.g. ".PAK"; "" when none.
std::string ExtractFileExt(const std::string& path);

// Appends "\" unless the text already ends with a whole "\" character.
std::string IncludeTrailingBackslash(const std::string& path);
bool EndsWithBackslash(const std::string& path);

// Changes only the ASCII letters; double-byte characters stay as they are.
std::string UpperAscii(const std::string& s);
std::string LowerAscii(const std::string& s);

// Removes leading and trailing bytes with codes 0..32.
std::string Trim(const std::string& s);

// 'name' with every single quote inside doubled.
std::string QuotedName(const std::string& name);

// "%f" with exactly two decimals and the given decimal separator.
std::string FormatFixed2(double value, char decimalSeparator);

}  // namespace text
