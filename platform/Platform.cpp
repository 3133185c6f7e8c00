#include "platform/Platform.h"

#include "text/AnsiText.h"

namespace platform {

Error OpenError(bool forWriting, const std::string& path, const std::string& reason) {
  return Error(std::string(forWriting ? "无法创建文件" : "无法打开文件") + " \"" + path + "\"：" + reason);
}

void SetCurrent(Platform* platform) {
  text::SetAnsiLeadBytes(platform ? platform->AnsiLeadBytes() : text::LeadBytes::Gbk());
}

bool FileExists(Platform& p, const std::string& path) {
  const std::uint32_t a = p.GetAttributes(path);
  return a != kInvalidAttributes && !(a & faDirectory);
}

bool DirectoryExists(Platform& p, const std::string& path) {
  const std::uint32_t a = p.GetAttributes(path);
  return a != kInvalidAttributes && (a & faDirectory);
}

bool ForceDirectories(Platform& p, const std::string& path) {
  std::string folder = path;
  while (text::EndsWithBackslash(folder)) folder.pop_back();
  if (folder.empty()) return false;
  if (DirectoryExists(p, folder)) return true;
  std::string parent = text::ExtractFilePath(folder);
  while (text::EndsWithBackslash(parent)) parent.pop_back();
  // A drive ("C:") or a bare name has no parent to create (":" is never the
  // second byte of a double-byte character).
  if (!parent.empty() && parent.back() != ':' && !ForceDirectories(p, parent)) return false;
  return p.CreateFolder(folder) || DirectoryExists(p, folder);
}

bool ReadWholeFile(Platform& p, const std::string& path, std::string& contents) {
  const std::unique_ptr<File> file = p.OpenRead(path);
  const std::int64_t size = file->Size();
  if (size < 0 || static_cast<std::uint64_t>(size) > contents.max_size()) return false;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (!file->Read(&bytes[0], bytes.size())) return false;
  contents = std::move(bytes);
  return true;
}

bool WriteWholeFile(Platform& p, const std::string& path, const std::string& contents) {
  bool written;
  {
    const std::unique_ptr<File> file = p.OpenWrite(path);
    written = file->Write(contents.data(), contents.size());
  }  // closed before it can be deleted
  if (!written) p.RemoveFile(path);
  return written;
}

}  // namespace platform
