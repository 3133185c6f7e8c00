#include "tools/cdtool/DiscFiles.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace cdtool {

bool ReadFileBytes(const std::filesystem::path& file, std::string& bytes) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  std::string read((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return false;
  bytes = std::move(read);
  return true;
}

void WriteFileBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (out) out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (out) out.close();
  if (!out)
    throw std::filesystem::filesystem_error("cannot write the file", file,
                                            std::make_error_code(std::errc::io_error));
}

}  // namespace cdtool
