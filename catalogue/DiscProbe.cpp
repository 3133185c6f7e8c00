#include "catalogue/DiscProbe.h"

#include <memory>

#include "catalogue/CatalogueFormat.h"
#include "catalogue/DiscDescriptor.h"
#include "media/ImageError.h"
#include "text/AnsiText.h"

namespace catalogue {

namespace {

const char* const kMissing = "光盘配置文件不存在，请检查光盘。";
const char* const kUnreadable = "光盘配置文件无法读取，请检查光盘。";

// The first bytes of the descriptor; false when it is missing.
bool ReadHead(platform::Platform& platform, const std::string& disc, std::string& head) {
  const std::string path = text::IncludeTrailingBackslash(disc) + kDescriptorFileName;
  if (!platform::FileExists(platform, path)) return false;
  const std::unique_ptr<platform::File> file = platform.OpenRead(path);
  head.resize(kDescriptorHeadSize);
  if (!file->Read(&head[0], head.size())) head.clear();
  return true;
}

}  // namespace

bool ProbeDiscLabel(platform::Platform& platform, const std::string& disc, catalogue::LabelString& label, std::string& problem) {
  std::string head;
  try {
    if (!ReadHead(platform, disc, head)) {
      problem = kMissing;
      return false;
    }
  } catch (const media::ImageError& error) {
    problem = error.what();
    return false;
  } catch (const platform::Error&) {  // a drive that is not ready, a file locked
    problem = kUnreadable;
    return false;
  }
  if (!ParseDiscLabel(head, label)) {
    problem = kUnreadable;
    return false;
  }
  return true;
}

}  // namespace catalogue
