// Helpers over byte strings in the ANSI code page. A double-byte character
// starts with a lead byte (0x81..0xFE in GBK); its second byte may look like
// "\" or ":" and must never be taken for one. Which bytes lead is the rule of
// the system's code page (text/LeadBytes.h); a caller may pass another.
#pragma once
#include <string>

#include "text/LeadBytes.h"

namespace text {

// A lead byte of the system's ANSI code page.
bool IsLeadByte(unsigned char c);

// Index of the first byte of the last whole character, or npos for "".
std::size_t LastCharStart(const std::string& s, const LeadBytes& lead = AnsiLeadBytes());

// Index of the first whole character c (an ASCII character) at or after
// from, never the second byte of a double-byte character; npos when none.
std::size_t FindWholeChar(const std::string& s, char c, std::size_t from = 0,
                          const LeadBytes& lead = AnsiLeadBytes());

// Folder part including the final "\" or ":", e.g. "E:\a\b.exe" -> "E:\a\".
std::string ExtractFilePath(const std::string& path, const LeadBytes& lead = AnsiLeadBytes());
// Name after the last "\" or ":".
std::string ExtractFileName(const std::string& path, const LeadBytes& lead = AnsiLeadBytes());
// Extension of the name including its dot, e.g. ".PAK"; "" when none.
std::string ExtractFileExt(const std::string& path, const LeadBytes& lead = AnsiLeadBytes());

// Appends "\" unless the text already ends with a whole "\" character.
std::string IncludeTrailingBackslash(const std::string& path, const LeadBytes& lead = AnsiLeadBytes());
bool EndsWithBackslash(const std::string& path, const LeadBytes& lead = AnsiLeadBytes());

// Changes only the ASCII letters; double-byte characters stay as they are.
std::string UpperAscii(const std::string& s, const LeadBytes& lead = AnsiLeadBytes());
std::string LowerAscii(const std::string& s, const LeadBytes& lead = AnsiLeadBytes());

// Removes leading and trailing bytes with codes 0..32.
std::string Trim(const std::string& s);

// 'name' with every single quote inside doubled.
std::string QuotedName(const std::string& name, const LeadBytes& lead = AnsiLeadBytes());

// "%f" with exactly two decimals and the given decimal separator.
std::string FormatFixed2(double value, char decimalSeparator);

}  // namespace text
