// What goes wrong with a disc image: the image is untrusted input, and every
// fault in it is reported to the user with the image's path and what is wrong.
#pragma once
#include <string>

#include "platform/Platform.h"

namespace media {

// Raised for a malformed image, an unsupported one, or a name that the ANSI
// code page cannot represent. A platform::Error, so that an uncaught one goes
// to the top-level error report like any failure to read a file.
class ImageError : public platform::Error {
 public:
  using platform::Error::Error;
};

// "光盘映像'<image>'已损坏：<what>。"
ImageError DamagedImage(const std::string& image, const std::string& what);
// "光盘映像'<image>'中的文件名'<name>'无法用本系统的代码页表示。"
ImageError UnrepresentableName(const std::string& image, const std::string& name);

}  // namespace media
