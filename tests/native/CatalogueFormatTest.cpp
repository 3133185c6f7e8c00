// The byte layouts of CDFile.Dat and Install.Dat, and the rule for the texts
// that become folder names.
#include <gtest/gtest.h>

#include "catalogue/CatalogueFormat.h"
#include "text/FolderName.h"
#include "tests/CatalogueSamples.h"

namespace {

std::int32_t Int32At(const std::string& bytes, std::size_t at) {
  std::uint32_t raw = 0;
  for (int i = 3; i >= 0; --i) raw = (raw << 8) | static_cast<unsigned char>(bytes[at + i]);
  return static_cast<std::int32_t>(raw);
}

TEST(CatalogueFormat, ExampleLayoutByteByByte) {
  const std::string bytes = catalogue::SerializeCatalogue(samples::Example());
  ASSERT_EQ(bytes.size(), 2836u);
  EXPECT_EQ(bytes[0], 1);
  EXPECT_EQ(bytes.substr(1, 4), std::string("\x03" "CD2"));
  EXPECT_EQ(Int32At(bytes, samples::kPackCountAt), 3);
  EXPECT_EQ(bytes.substr(samples::kPack1At, 5), "\x04" + std::string("国标"));
  EXPECT_EQ(bytes.substr(samples::kPack1At + 256, 5), "\x04" + std::string("土建"));
  EXPECT_EQ(bytes[samples::kPack1At + 512], 1);  // Selected
  EXPECT_EQ(Int32At(bytes, samples::kPack1LabelCountAt), 2);
  EXPECT_EQ(bytes.substr(samples::kPack1LabelCountAt + 4 + 256, 4), std::string("\x03" "CD2"));
  EXPECT_EQ(bytes.substr(samples::kPack2At, 9), "\x08" + std::string("浙江省标"));
  EXPECT_EQ(bytes[samples::kPack2At + 512], 0);
  // The last pack has no labels: 517 bytes, ending the file.
  EXPECT_EQ(Int32At(bytes, samples::kPack3At + 513), 0);
  EXPECT_EQ(samples::kPack3At + 517, bytes.size());

  TCdSignFile read;
  std::size_t failOffset = 0;
  ASSERT_TRUE(catalogue::ParseCatalogue(bytes, read, failOffset));
  EXPECT_EQ(read, samples::Example());
  EXPECT_TRUE(read.Packs[2].Labels.empty());
}

TEST(CatalogueFormat, MalformedDescriptorsStopAtTheFaultyField) {
  for (const auto& c : samples::MalformedDescriptors()) {
    SCOPED_TRACE(c.what);
    TCdSignFile read = samples::Example();
    std::size_t failOffset = 0;
    EXPECT_FALSE(catalogue::ParseCatalogue(c.bytes, read, failOffset));
    EXPECT_EQ(failOffset, c.failOffset);
    EXPECT_EQ(read, samples::Example());
  }
}

TEST(CatalogueFormat, CarriedLabelBytesAreIgnoredOnComparisonAndKeptOnRewrite) {
  const catalogue::LabelString carried = samples::LabelWithCarriedBytes();
  EXPECT_EQ(carried, catalogue::LabelString(std::string("CD1")));
  EXPECT_NE(carried, catalogue::LabelString(std::string("CD")));
  EXPECT_NE(carried, catalogue::LabelString(std::string("cd1")));

  TCdSignFile d = samples::Example();
  d.Label = carried;
  d.Packs[0].Labels[0] = carried;
  const std::string bytes = catalogue::SerializeCatalogue(d);
  TCdSignFile read;
  std::size_t failOffset = 0;
  ASSERT_TRUE(catalogue::ParseCatalogue(bytes, read, failOffset));
  EXPECT_EQ(read.Label, catalogue::LabelString(std::string("CD1")));
  EXPECT_EQ(catalogue::SerializeCatalogue(read), bytes);

  catalogue::LabelString label;
  ASSERT_TRUE(catalogue::ParseDiscLabel(bytes.substr(0, 257), label));
  EXPECT_EQ(label.Text(), "CD1");
  EXPECT_FALSE(catalogue::ParseDiscLabel(bytes.substr(0, 256), label));
}

TEST(CatalogueFormat, PendingLabelsLayout) {
  const TCdLabels labels = samples::Labels({"CD1", "CD3"});
  const std::string bytes = catalogue::SerializePendingLabels(labels);
  ASSERT_EQ(bytes.size(), 4u + 2 * 256);
  EXPECT_EQ(Int32At(bytes, 0), 2);
  EXPECT_EQ(bytes.substr(4 + 256, 4), std::string("\x03" "CD3"));
  EXPECT_EQ(catalogue::SerializePendingLabels({}), std::string(4, '\0'));

  TCdLabels read;
  std::size_t failOffset = 0;
  ASSERT_TRUE(catalogue::ParsePendingLabels(bytes, read, failOffset));
  EXPECT_EQ(read, labels);
  read = samples::Labels({"keep"});
  EXPECT_FALSE(catalogue::ParsePendingLabels(bytes.substr(0, 4 + 256 + 10), read, failOffset));
  EXPECT_EQ(failOffset, 0u);
  EXPECT_EQ(read, samples::Labels({"keep"}));
}

TEST(CatalogueFormat, FolderNameRule) {
  struct Case {
    std::string name;
    bool safe;
  };
  const Case cases[] = {
      {"", true},           {"国标", true},       {"土建 2.0", true},   {"a.b", true},
      {"\x81\x5C", true},   // the second byte looks like "\" but is part of the character
      {"\x95|", true},      // and here like "|"
      {"CONSOLE", true},    {"COM0", true},       {".", false},         {"..", false},
      {"...", false},       {"a.", false},        {"a ", false},        {"a\\b", false},
      {"a/b", false},       {"C:", false},        {"a*", false},        {"a?", false},
      {"\"a\"", false},     {"<a>", false},       {"a|b", false},       {"a\tb", false},
      {std::string("a\0b", 3), false},
      {"国\xB1", false},    // a lead byte with nothing after it
      {"\x81:", false},     // ":" cannot be a second byte: Windows reads it alone
      {"nul", false},       {"NUL.txt", false},   {"Com1", false},      {"LPT9", false},
      {"aux .dat", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(text::IsSafeFolderName(c.name), c.safe) << '"' << c.name << '"';
}

}  // namespace
