#include "catalogue/DiscDescriptor.h"

#include <memory>
#include <stdexcept>

#include "catalogue/CatalogueFormat.h"

namespace catalogue {

const char* const kDescriptorFileName = "CDFile.Dat";

CatalogueRead ReadCatalogue(catalogue::InstallerState& state, platform::Platform& platform) {
  const std::string path = state.SourceRoot + kDescriptorFileName;
  if (!platform::FileExists(platform, path)) return CatalogueRead::Missing;
  std::string bytes;
  TCdSignFile descriptor;
  std::size_t failOffset = 0;
  if (!platform::ReadWholeFile(platform, path, bytes) || !ParseCatalogue(bytes, descriptor, failOffset))
    return CatalogueRead::Malformed;
  state.DiscLabel = descriptor.Label;
  state.Packs = std::move(descriptor.Packs);
  return CatalogueRead::Loaded;
}

void ReadDiscLabel(catalogue::InstallerState& state, platform::Platform& platform) {
  const std::string path = state.SourceRoot + kDescriptorFileName;
  const std::unique_ptr<platform::File> file = platform.OpenRead(path);
  std::string head(kDescriptorHeadSize, '\0');
  catalogue::LabelString label;
  if (!file->Read(&head[0], head.size()) || !ParseDiscLabel(head, label))
    throw std::runtime_error("光盘描述文件不完整，缺少光盘标签：\"" + path + "\"");
  state.DiscLabel = label;
}

void WriteCatalogue(const catalogue::InstallerState& state, platform::Platform& platform, const TCdSignFile& descriptor) {
  const std::string path = state.SourceRoot + kDescriptorFileName;
  if (!platform::WriteWholeFile(platform, path, SerializeCatalogue(descriptor)))
    throw std::runtime_error("无法写入文件：\"" + path + "\"");
}

}  // namespace catalogue
