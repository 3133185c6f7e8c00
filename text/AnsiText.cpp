#include "text/AnsiText.h"

#include <cmath>
#include <cstdio>

namespace text {

bool IsLeadByte(unsigned char c) { return AnsiLeadBytes()(c); }

std::size_t LastCharStart(const std::string& s, const LeadBytes& lead) {
  std::size_t last = std::string::npos;
  for (std::size_t i = 0; i < s.size(); ++i) {
    last = i;
    if (lead(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ++i;
  }
  return last;
}

std::size_t FindWholeChar(const std::string& s, char c, std::size_t from, const LeadBytes& lead) {
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (lead(static_cast<unsigned char>(s[i])) && i + 1 < s.size())
      ++i;
    else if (i >= from && s[i] == c)
      return i;
  }
  return std::string::npos;
}

namespace {
// Index just past the last whole "\" or ":" (0 when there is none).
std::size_t NameStart(const std::string& path, const LeadBytes& lead) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(path[i]);
    if (lead(c) && i + 1 < path.size()) {
      ++i;
    } else if (c == '\\' || c == ':') {
      start = i + 1;
    }
  }
  return start;
}
}  // namespace

std::string ExtractFilePath(const std::string& path, const LeadBytes& lead) {
  return path.substr(0, NameStart(path, lead));
}

std::string ExtractFileName(const std::string& path, const LeadBytes& lead) {
  return path.substr(NameStart(path, lead));
}

std::string ExtractFileExt(const std::string& path, const LeadBytes& lead) {
  const std::string name = ExtractFileName(path, lead);
  std::size_t dot = std::string::npos;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (lead(c) && i + 1 < name.size()) {
      ++i;
    } else if (c == '.') {
      dot = i;
    }
  }
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

bool EndsWithBackslash(const std::string& path, const LeadBytes& lead) {
  const std::size_t last = LastCharStart(path, lead);
  return last != std::string::npos && last == path.size() - 1 && path[last] == '\\';
}

std::string IncludeTrailingBackslash(const std::string& path, const LeadBytes& lead) {
  return EndsWithBackslash(path, lead) ? path : path + "\\";
}

namespace {
// Moves the ASCII letters from..from+25 to to..to+25, skipping every
// double-byte character whole.
std::string ShiftAsciiLetters(const std::string& s, char from, char to, const LeadBytes& lead) {
  std::string r = s;
  for (std::size_t i = 0; i < r.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(r[i]);
    if (lead(c) && i + 1 < r.size()) {
      ++i;
    } else if (c >= from && c <= from + 25) {
      r[i] = static_cast<char>(c - from + to);
    }
  }
  return r;
}
}  // namespace

std::string UpperAscii(const std::string& s, const LeadBytes& lead) { return ShiftAsciiLetters(s, 'a', 'A', lead); }

std::string LowerAscii(const std::string& s, const LeadBytes& lead) { return ShiftAsciiLetters(s, 'A', 'a', lead); }

std::string Trim(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

std::string QuotedName(const std::string& name, const LeadBytes& lead) {
  std::string r = "'";
  for (std::size_t i = 0; i < name.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    r += name[i];
    if (lead(c) && i + 1 < name.size()) {
      r += name[++i];
    } else if (c == '\'') {
      r += '\'';
    }
  }
  return r + "'";
}

std::string FormatFixed2(double value, char decimalSeparator) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.2f", value);
  std::string r = buf;
  const std::size_t dot = r.find('.');
  if (dot != std::string::npos) r[dot] = decimalSeparator;
  return r;
}

}  // namespace text
