// How the pack copy reads the entries of a folder listing. The names come
// from the disc's file system and are not trusted: one that is not a single
// path part is never joined to a folder.
#pragma once
#include "platform/Platform.h"
#include "text/AnsiText.h"

namespace engine {

inline bool IsDotEntry(const platform::FindEntry& entry) { return entry.Name == "." || entry.Name == ".."; }

// A junction or symbolic link: never followed, so that a loop cannot make
// the copy or the size count recurse without end.
inline bool IsReparsePoint(const platform::FindEntry& entry) {
  return (entry.Attributes & platform::faReparsePoint) != 0;
}

// A folder whatever its other bits (archive, not-indexed, compressed: a disc
// copied to a hard disk has such folders).
inline bool IsFolder(const platform::FindEntry& entry) { return (entry.Attributes & platform::faDirectory) != 0; }

// True when name is one path part: not empty, not "." or "..", and without
// "\", "/" or ":" (as whole characters, never the second byte of a
// double-byte character).
inline bool IsSinglePathPart(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (text::IsLeadByte(c)) {
      ++i;
    } else if (c == '\\' || c == '/' || c == ':') {
      return false;
    }
  }
  return true;
}

}  // namespace engine
