// ISO 9660 images made by the tests themselves, block by block, so that every
// field can be set to what a case needs (also to what no writer would write).
// Every image has the system area, a primary descriptor, a Joliet descriptor
// (unless asked not to) and a terminator; both trees share one set of
// directories, of which the reader sees the Joliet one.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "media/IsoRecords.h"

namespace iso_test {

using media::iso::kBlockSize;

// An entry of a directory to write. identifier is the raw recorded name
// (Joliet's big-endian UCS-2, or bytes); a folder's children are written
// before it; a file with several extents gets one record per piece.
struct Entry {
  std::string identifier;
  bool folder = false;
  std::string contents;
  std::vector<Entry> children;
  std::uint8_t extraFlags = 0;
  std::vector<std::string> pieces;  // non-empty: a file of several extents
};

// UTF-16 as Joliet records it.
inline std::string Joliet(const std::u16string& name) {
  std::string bytes;
  for (const char16_t c : name) {
    bytes += static_cast<char>(c >> 8);
    bytes += static_cast<char>(c & 0xFF);
  }
  return bytes;
}

inline Entry File(const std::u16string& name, const std::string& contents) {
  return Entry{Joliet(name), false, contents, {}, 0, {}};
}
inline Entry Folder(const std::u16string& name, std::vector<Entry> children) {
  return Entry{Joliet(name), true, "", std::move(children), 0, {}};
}

inline void PutBoth32(std::string& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    bytes[at + i] = static_cast<char>(value >> (8 * i));
    bytes[at + 7 - i] = static_cast<char>(value >> (8 * i));
  }
}

// A directory record of the layout ECMA-119 9.1.
inline std::string Record(std::uint32_t block, std::uint32_t size, std::uint8_t flags, const std::string& identifier) {
  std::string record(33 + identifier.size() + (identifier.size() % 2 == 0 ? 1 : 0), '\0');
  record[0] = static_cast<char>(record.size());
  PutBoth32(record, 2, block);
  PutBoth32(record, 10, size);
  record[25] = static_cast<char>(flags);
  record[28] = 1;  // volume sequence number
  record[32] = static_cast<char>(identifier.size());
  record.replace(33, identifier.size(), identifier);
  return record;
}

class Image {
 public:
  static constexpr std::uint32_t kPrimaryBlock = 16, kJolietBlock = 17, kTerminatorBlock = 18;

  explicit Image(bool joliet = true) : joliet_(joliet), bytes_(19 * kBlockSize, '\0') {
    Descriptor(kPrimaryBlock, 1);
    if (joliet_) {
      Descriptor(kJolietBlock, 2);
      bytes_.replace(kJolietBlock * kBlockSize + 88, 3, "%/E");
    }
    Descriptor(kTerminatorBlock, 255);
  }

  // Appends data at the next block; returns its first block.
  std::uint32_t Append(const std::string& data) {
    const std::uint32_t block = NextBlock();
    bytes_ += data;
    bytes_.resize((bytes_.size() + kBlockSize - 1) / kBlockSize * kBlockSize, '\0');
    return block;
  }

  // The block the next Append takes.
  std::uint32_t NextBlock() const { return static_cast<std::uint32_t>(bytes_.size() / kBlockSize); }

  // The records of a directory after its "." and ".." ones.
  static std::string DirectoryData(const std::string& records) {
    return Record(0, 0, media::iso::kDirectory, std::string(1, '\0')) +
           Record(0, 0, media::iso::kDirectory, std::string(1, '\1')) + records;
  }

  // Writes the entries as a directory (children first) and returns its record.
  std::string WriteDirectory(const std::vector<Entry>& entries, const std::string& identifier,
                             std::uint8_t extraFlags = 0) {
    std::string records;
    for (const Entry& entry : entries) {
      if (entry.folder) {
        records += WriteDirectory(entry.children, entry.identifier, entry.extraFlags);
      } else if (!entry.pieces.empty()) {
        for (std::size_t i = 0; i < entry.pieces.size(); ++i) {
          const bool more = i + 1 < entry.pieces.size();
          records += Record(Append(entry.pieces[i]), static_cast<std::uint32_t>(entry.pieces[i].size()),
                            static_cast<std::uint8_t>(entry.extraFlags | (more ? media::iso::kMultiExtent : 0)),
                            entry.identifier);
        }
      } else {
        records += Record(entry.contents.empty() ? 0 : Append(entry.contents),
                          static_cast<std::uint32_t>(entry.contents.size()), entry.extraFlags, entry.identifier);
      }
    }
    const std::string data = DirectoryData(records);
    return Record(Append(data), static_cast<std::uint32_t>(data.size()),
                  static_cast<std::uint8_t>(media::iso::kDirectory | extraFlags), identifier);
  }

  // Makes the entries the root of both trees; returns the image.
  std::string WithRoot(const std::vector<Entry>& entries) {
    SetRoot(WriteDirectory(entries, std::string(1, '\0')));
    return bytes_;
  }
  // Writes records (after "." and "..") as the root directory; returns the image.
  std::string WithRootRecords(const std::string& records) {
    const std::string data = DirectoryData(records);
    SetRoot(Record(Append(data), static_cast<std::uint32_t>(data.size()), media::iso::kDirectory, std::string(1, '\0')));
    return bytes_;
  }
  // Makes a written directory record the root of both trees.
  void SetRoot(std::string rootRecord) {
    rootRecord[32] = 1;  // the root's identifier is a single 0 byte
    rootRecord.resize(34);
    rootRecord[0] = 34;
    rootRecord[33] = '\0';
    bytes_.replace(kPrimaryBlock * kBlockSize + 156, 34, rootRecord);
    if (joliet_) bytes_.replace(kJolietBlock * kBlockSize + 156, 34, rootRecord);
  }
  std::string& Bytes() { return bytes_; }

 private:
  void Descriptor(std::uint32_t block, std::uint8_t type) {
    std::string d(kBlockSize, '\0');
    d[0] = static_cast<char>(type);
    d.replace(1, 5, "CD001");
    d[6] = 1;
    d[128] = static_cast<char>(kBlockSize & 0xFF);  // logical block size, both byte orders
    d[129] = static_cast<char>(kBlockSize >> 8);
    d[130] = static_cast<char>(kBlockSize >> 8);
    d[131] = static_cast<char>(kBlockSize & 0xFF);
    bytes_.replace(block * kBlockSize, kBlockSize, d);
  }

  bool joliet_;
  std::string bytes_;
};

}  // namespace iso_test
