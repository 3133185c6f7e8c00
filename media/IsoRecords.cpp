#include "media/IsoRecords.h"

namespace media::iso {

namespace {

constexpr std::size_t kRecordFixedSize = 33;  // the record before its identifier
constexpr std::size_t kRootRecordOffset = 156;
constexpr std::size_t kRootRecordSize = 34;

std::uint32_t Little16(const std::string& bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

std::uint32_t Little32(const std::string& bytes, std::size_t at) {
  return Little16(bytes, at) | Little16(bytes, at + 2) << 16;
}

// Parses the record of `length` bytes at `at`, which the caller has checked
// lies inside bytes.
bool ParseRecord(const std::string& bytes, std::size_t at, std::size_t length, DirectoryRecord& record) {
  if (length < kRecordFixedSize + 1) return false;
  const std::size_t nameLength = static_cast<unsigned char>(bytes[at + 32]);
  if (nameLength == 0 || kRecordFixedSize + nameLength > length) return false;
  const std::uint32_t extendedAttributeBlocks = static_cast<unsigned char>(bytes[at + 1]);
  record.Block = std::uint64_t{Little32(bytes, at + 2)} + extendedAttributeBlocks;
  record.Size = Little32(bytes, at + 10);
  record.Flags = static_cast<std::uint8_t>(bytes[at + 25]);
  record.Interleaved = bytes[at + 26] != 0 || bytes[at + 27] != 0;
  record.Identifier = bytes.substr(at + kRecordFixedSize, nameLength);
  return true;
}

}  // namespace

DescriptorKind KindOfDescriptor(const std::string& block) {
  if (block.size() < kBlockSize || block.compare(1, 5, "CD001") != 0) return DescriptorKind::None;
  switch (static_cast<unsigned char>(block[0])) {
    case 1: return DescriptorKind::Primary;
    case 255: return DescriptorKind::Terminator;
    case 2: {
      // A supplementary descriptor is Joliet when its escape sequence names
      // one of the three UCS-2 levels: "%/@", "%/C" or "%/E".
      const char level = block[90];
      if (block[88] == '%' && block[89] == '/' && (level == '@' || level == 'C' || level == 'E'))
        return DescriptorKind::Joliet;
      return DescriptorKind::Other;
    }
    default: return DescriptorKind::Other;
  }
}

std::uint32_t DescriptorBlockSize(const std::string& block) { return Little16(block, 128); }

bool DescriptorRoot(const std::string& block, DirectoryRecord& root) {
  const std::size_t length = static_cast<unsigned char>(block[kRootRecordOffset]);
  return length == kRootRecordSize && ParseRecord(block, kRootRecordOffset, length, root) &&
         (root.Flags & kDirectory) != 0;
}

RecordRead NextRecord(const std::string& directory, std::size_t& at, DirectoryRecord& record) {
  while (at < directory.size()) {
    const std::size_t length = static_cast<unsigned char>(directory[at]);
    if (length == 0) {  // padding up to the next block
      at = (at / kBlockSize + 1) * kBlockSize;
      continue;
    }
    if (length > directory.size() - at || !ParseRecord(directory, at, length, record)) return RecordRead::Malformed;
    at += length;
    return RecordRead::Ok;
  }
  return RecordRead::End;
}

}  // namespace media::iso
