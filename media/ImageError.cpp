#include "media/ImageError.h"

#include "text/AnsiText.h"

namespace media {

ImageError DamagedImage(const std::string& image, const std::string& what) {
  return ImageError("光盘映像" + text::QuotedName(image) + "已损坏：" + what + "。");
}

ImageError UnrepresentableName(const std::string& image, const std::string& name) {
  return ImageError("光盘映像" + text::QuotedName(image) + "中的文件名" + text::QuotedName(name) +
                    "无法用本系统的代码页表示。");
}

}  // namespace media
