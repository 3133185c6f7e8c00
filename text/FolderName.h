// The rule for a text that becomes one folder or file name under the material
// library (a pack's standard or specialty, a name read from a disc image): it
// must name a single entry inside its parent, whatever the disc it came from
// holds.
#pragma once
#include <string>

namespace text {

// True for "" and for a valid single Windows folder name. False for:
// - "." and "..", and any name ending in "." or " " (Windows drops those, so
//   the name would stand for another one);
// - a name holding "\", "/", ":", *?"<>| or a byte below 32, judged as whole
//   characters, never as the second byte of a double-byte character;
// - a lead byte not followed by a valid second byte (at the end of a name it
//   would swallow the "\" that follows it in a path);
// - the device names CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9, with
//   or without an extension.
bool IsSafeFolderName(const std::string& name);

}  // namespace text
