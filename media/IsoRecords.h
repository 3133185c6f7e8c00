// The byte layout of ISO 9660 images (ECMA-119) with Joliet names, apart from
// any file access: volume descriptors and directory records. Only what a
// reader of a finished disc needs: no path tables, no Rock Ridge.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace media::iso {

// The only logical block size in use on CD and DVD images.
constexpr std::uint32_t kBlockSize = 2048;
// Volume descriptors start at block 16 and end with a terminator.
constexpr std::uint32_t kFirstDescriptorBlock = 16;

enum RecordFlag : std::uint8_t {
  kHidden = 0x01,       // the "existence" bit: Windows shows the entry as hidden
  kDirectory = 0x02,
  kAssociated = 0x04,   // an associated file (Macintosh resource fork): not part of the tree
  kMultiExtent = 0x80,  // more records of the same file follow
};

// None: the block is no volume descriptor at all (the set has ended).
enum class DescriptorKind { Primary, Joliet, Terminator, Other, None };

// A directory record: where its data lies and what it is called. Block is
// the first block of the data itself (after any extended attribute record).
struct DirectoryRecord {
  std::uint64_t Block = 0;
  std::uint32_t Size = 0;
  std::uint8_t Flags = 0;
  bool Interleaved = false;
  // The identifier as recorded; a single 0 byte is the folder itself, a
  // single 1 byte its parent.
  std::string Identifier;
  bool IsSelf() const { return Identifier.size() == 1 && Identifier[0] == '\0'; }
  bool IsParent() const { return Identifier.size() == 1 && Identifier[0] == '\1'; }
};

enum class RecordRead { Ok, End, Malformed };

// Kind of the volume descriptor in block (kBlockSize bytes).
DescriptorKind KindOfDescriptor(const std::string& block);
// The logical block size a primary or Joliet descriptor declares.
std::uint32_t DescriptorBlockSize(const std::string& block);
// The root directory record of a primary or Joliet descriptor; false when it
// is malformed.
bool DescriptorRoot(const std::string& block, DirectoryRecord& root);

// The record at offset `at` of a directory's data, moving `at` past it; a
// zero length byte pads to the next block. End after the last record;
// Malformed when a record does not fit in the data or in its own length.
RecordRead NextRecord(const std::string& directory, std::size_t& at, DirectoryRecord& record);

}  // namespace media::iso
