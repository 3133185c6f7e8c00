#include "catalogue/CatalogueFormat.h"

#include <cstdint>
#include <limits>
#include <stdexcept>

#include "text/FolderName.h"

namespace catalogue {

namespace {

// Reads the fields of a layout one after the other; `offset` stays at the
// start of a field that could not be read.
class FieldReader {
 public:
  explicit FieldReader(const std::string& bytes) : bytes_(bytes) {}

  std::size_t Offset() const { return offset_; }

  bool Byte(std::uint8_t& value) {
    if (Remaining() < 1) return false;
    value = static_cast<std::uint8_t>(bytes_[offset_++]);
    return true;
  }

  bool Label(catalogue::LabelString& label) {
    if (Remaining() < catalogue::LabelString::kStoredSize) return false;
    label = catalogue::LabelString::FromStored(reinterpret_cast<const unsigned char*>(bytes_.data()) + offset_);
    offset_ += catalogue::LabelString::kStoredSize;
    return true;
  }

  // A label that names a folder and must pass IsSafeFolderName.
  bool FolderLabel(catalogue::LabelString& label) {
    const std::size_t start = offset_;
    catalogue::LabelString read;
    if (!Label(read)) return false;
    if (!text::IsSafeFolderName(read.Text())) {
      offset_ = start;
      return false;
    }
    label = read;
    return true;
  }

  // A signed 32-bit count of entries of at least entrySize bytes each; false
  // when it is negative or more than the rest of the bytes can hold, so that
  // nothing is ever sized from an impossible count.
  bool Count(std::size_t& count, std::size_t entrySize) {
    if (Remaining() < 4) return false;
    std::uint32_t raw = 0;
    for (int i = 3; i >= 0; --i) raw = (raw << 8) | static_cast<unsigned char>(bytes_[offset_ + i]);
    const std::int64_t value = raw <= 0x7FFFFFFFu ? std::int64_t{raw} : std::int64_t{raw} - 0x100000000LL;
    if (value < 0 || static_cast<std::uint64_t>(value) > (Remaining() - 4) / entrySize) return false;
    count = static_cast<std::size_t>(value);
    offset_ += 4;
    return true;
  }

 private:
  std::size_t Remaining() const { return bytes_.size() - offset_; }

  const std::string& bytes_;
  std::size_t offset_ = 0;
};

void PutLabel(std::string& out, const catalogue::LabelString& label) {
  out.append(reinterpret_cast<const char*>(label.Stored().data()), catalogue::LabelString::kStoredSize);
}

void PutCount(std::string& out, std::size_t count) {
  if (count > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
    throw std::length_error("目录文件的条目过多");
  for (int i = 0; i < 4; ++i) out += static_cast<char>((count >> (8 * i)) & 0xFF);
}

bool ReadLabels(FieldReader& reader, TCdLabels& labels) {
  std::size_t count = 0;
  if (!reader.Count(count, catalogue::LabelString::kStoredSize)) return false;
  TCdLabels read(count);
  for (catalogue::LabelString& label : read)
    if (!reader.Label(label)) return false;
  labels = std::move(read);
  return true;
}

void PutLabels(std::string& out, const TCdLabels& labels) {
  PutCount(out, labels.size());
  for (const catalogue::LabelString& label : labels) PutLabel(out, label);
}

}  // namespace

bool ParseCatalogue(const std::string& bytes, TCdSignFile& descriptor, std::size_t& failOffset) {
  FieldReader reader(bytes);
  TCdSignFile read;
  std::size_t packCount = 0;
  bool ok = reader.Byte(read.Tag) && reader.Label(read.Label) && reader.Count(packCount, kPackEntryMinSize);
  if (ok) read.Packs.resize(packCount);
  for (std::size_t i = 0; ok && i < packCount; ++i) {
    TCdPack& pack = read.Packs[i];
    std::uint8_t selected = 0;
    ok = reader.FolderLabel(pack.Standard) && reader.FolderLabel(pack.Specialty) && reader.Byte(selected) &&
         ReadLabels(reader, pack.Labels);
    pack.Selected = selected != 0;
  }
  if (!ok) {
    failOffset = reader.Offset();
    return false;
  }
  descriptor = std::move(read);
  return true;
}

bool ParseDiscLabel(const std::string& bytes, catalogue::LabelString& label) {
  FieldReader reader(bytes);
  std::uint8_t tag = 0;
  return reader.Byte(tag) && reader.Label(label);
}

std::string SerializeCatalogue(const TCdSignFile& descriptor) {
  std::string out(1, static_cast<char>(descriptor.Tag));
  PutLabel(out, descriptor.Label);
  PutCount(out, descriptor.Packs.size());
  for (const TCdPack& pack : descriptor.Packs) {
    PutLabel(out, pack.Standard);
    PutLabel(out, pack.Specialty);
    out += static_cast<char>(pack.Selected ? 1 : 0);
    PutLabels(out, pack.Labels);
  }
  return out;
}

bool ParsePendingLabels(const std::string& bytes, TCdLabels& labels, std::size_t& failOffset) {
  FieldReader reader(bytes);
  if (ReadLabels(reader, labels)) return true;
  failOffset = reader.Offset();
  return false;
}

std::string SerializePendingLabels(const TCdLabels& labels) {
  std::string out;
  PutLabels(out, labels);
  return out;
}

}  // namespace catalogue
