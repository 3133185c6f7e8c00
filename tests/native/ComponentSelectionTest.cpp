// /COMPONENTS: which specialties an unattended install ticks.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>

#include "deploy/ComponentSelection.h"
#include "tests/CatalogueSamples.h"

namespace deploy {
void PrintTo(const ChosenSpecialty& c, std::ostream* os) { *os << c.Standard << "\\" << c.Specialty; }
}  // namespace deploy

namespace {

using deploy::ChosenSpecialty;
using Chosen = std::vector<ChosenSpecialty>;
using samples::Pack;

// A standard whose name ends in a double-byte character with "\" as its
// second byte.
const std::string kTrailStandard = "\x95\x5C";

TCdPacks Catalogue() {
  return {Pack("国标", "土建", {"CD1", "CD2"}), Pack("浙江省标", "市政", {"CD1", "CD3"}),
          Pack("国标", "给排水", {"CD2"}),      Pack("中南标", "结构", {}),
          Pack("国标", "土建", {"CD3"}),        Pack(kTrailStandard, "GB", {"CD1"})};
}

TEST(ChooseComponentsTest, SelectsByNameInCatalogueOrder) {
  const struct {
    std::optional<std::string> components;
    Chosen expected;
  } cases[] = {
      {std::nullopt, {}},  // nothing ticked, as page 2 starts
      {std::string("国标\\土建,浙江省标\\市政"), {{"国标", "土建"}, {"浙江省标", "市政"}}},
      {std::string("浙江省标\\市政,国标\\土建"), {{"国标", "土建"}, {"浙江省标", "市政"}}},
      {std::string("国标"), {{"国标", "土建"}, {"国标", "给排水"}}},
      {std::string("国标\\土建,国标"), {{"国标", "土建"}, {"国标", "给排水"}}},
      {std::string(" 中南标 \\ 结构 , 国标\\给排水"), {{"国标", "给排水"}, {"中南标", "结构"}}},
      {kTrailStandard + "\\GB", {{kTrailStandard, "GB"}}},
      {std::string("*"),
       {{"国标", "土建"}, {"浙江省标", "市政"}, {"国标", "给排水"}, {"中南标", "结构"}, {kTrailStandard, "GB"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.components.value_or("(none)"));
    Chosen chosen = {{"old", "old"}};
    std::string error;
    ASSERT_TRUE(deploy::ChooseComponents(Catalogue(), c.components, chosen, error)) << error;
    EXPECT_EQ(chosen, c.expected);
  }
}

TEST(ChooseComponentsTest, AnUnknownNameIsAnErrorNamingIt) {
  const struct {
    std::string components, named;
  } cases[] = {
      {"国标\\暖通", "国标\\暖通"},
      {"国标,华东标", "华东标"},
      {"土建", "土建"},             // a specialty alone names no standard
      {"浙江省标\\土建", "浙江省标\\土建"},  // both names exist, the pair does not
      {"gb", "gb"},                 // names are compared exactly
      {"国标\\土建,,国标", "国标\\土建,,国标"},  // an empty item
      {"国标\\土建,", "国标\\土建,"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.components);
    Chosen chosen = {{"old", "old"}};
    std::string error;
    EXPECT_FALSE(deploy::ChooseComponents(Catalogue(), c.components, chosen, error));
    EXPECT_NE(error.find(c.named), std::string::npos) << error;
    EXPECT_EQ(chosen, (Chosen{{"old", "old"}}));
  }
}

TEST(ChooseComponentsTest, AnEmptyCatalogueHasNothingToChooseButAll) {
  Chosen chosen;
  std::string error;
  EXPECT_TRUE(deploy::ChooseComponents({}, std::string("*"), chosen, error));
  EXPECT_TRUE(chosen.empty());
  EXPECT_FALSE(deploy::ChooseComponents({}, std::string("国标"), chosen, error));
}

TEST(ComponentsTextTest, ReadsBackAsTheSameChoice) {
  Chosen chosen;
  std::string error;
  ASSERT_TRUE(deploy::ChooseComponents(Catalogue(), std::string("*"), chosen, error));
  const std::string text = deploy::ComponentsText(chosen);
  EXPECT_EQ(text, "国标\\土建,浙江省标\\市政,国标\\给排水,中南标\\结构," + kTrailStandard + "\\GB");
  Chosen again;
  ASSERT_TRUE(deploy::ChooseComponents(Catalogue(), text, again, error)) << error;
  EXPECT_EQ(again, chosen);
}

}  // namespace
