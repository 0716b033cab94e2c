// The list of differences between two images that Compare, Confirm Writes, Verify After Write
// and vor-cli diff show.
#include "files/image_compare.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "definitions/definition_loader.h"
#include "definitions/model_images.h"
#include "definitions/model_table.h"
#include "tests/support/scripted_prompter.h"

namespace vor {
namespace {

std::unique_ptr<DefinitionSet> Loaded(const ConfigImage& image) {
  auto set = std::make_unique<DefinitionSet>();
  test::ScriptedPrompter prompter;
  EXPECT_TRUE(LoadDefinitions(image, *set, prompter));
  return set;
}

struct Listed {
  PageKind page;
  const char* label;
  const char* first;
  const char* second;
};

TEST(CompareImages, ListsExactlyTheChangedSwitchesAndFieldsAsThePagesShowThem) {
  const struct {
    const char* name;
    ConfigImage first;
    std::function<void(ConfigImage&)> change;
    std::vector<Listed> fields;
    std::vector<int> bytes;
  } cases[] = {
      {"nothing", *DefaultImageFor(u"VOR"), [](ConfigImage&) {}, {}, {}},
      // Two fields and a box of the same byte as other boxes: only its own bit counts.
      {"two fields and a switch",
       *DefaultImageFor(u"VOR"),
       [](ConfigImage& image) {
         image[19] = 42;    // Low Volt
         image[81] = 0xAB;  // User Code, two hex bytes
         image[82] = 0xCD;
         image[0] ^= 0x04;  // Rev_HCurr
       },
       {{PageKind::Vehicle, "Rev_HCurr", "0", "1"},
        {PageKind::Vehicle, "User Code", "", "abcd"},
        {PageKind::Vehicle, "Low Volt", "", "42"}},
       {}},
      // Bit 4 of byte 0 belongs to a switch no page shows.
      {"a bit no page shows",
       *DefaultImageFor(u"VOR"),
       [](ConfigImage& image) { image[0] ^= 0x10; },
       {},
       {0}},
      {"the special edition by its code",
       *DefaultImageFor(u"JUT", {.specialVersion = 5}),
       [](ConfigImage& image) { image[kSpecialVersionAddr] = 4; },
       {{PageKind::Vehicle, "Special Version", "EB", "EA"}},
       {}},
  };
  for (const auto& c : cases) {
    ConfigImage second = c.first;
    c.change(second);
    const auto set = Loaded(c.first);
    const ImageDifferences differences = CompareImages(c.first, second, *set);
    ASSERT_EQ(differences.fields.size(), c.fields.size()) << c.name;
    for (std::size_t i = 0; i < c.fields.size(); ++i) {
      const FieldChange& got = differences.fields[i];
      EXPECT_EQ(got.page, c.fields[i].page) << c.name << i;
      EXPECT_EQ(got.label, c.fields[i].label) << c.name << i;
      // An empty expectation is the factory image's value, left unchecked.
      if (*c.fields[i].first) {
        EXPECT_EQ(got.first, c.fields[i].first) << c.name << i;
      }
      EXPECT_EQ(got.second, c.fields[i].second) << c.name << i;
      EXPECT_NE(got.first, got.second) << c.name << i;
    }
    std::vector<int> bytes;
    for (const ByteChange& change : differences.bytes) bytes.push_back(change.addr);
    EXPECT_EQ(bytes, c.bytes) << c.name;
    EXPECT_EQ(differences.Empty(), c.fields.empty() && c.bytes.empty()) << c.name;
  }
}

// A text field that ends at a zero byte reads the same whatever follows; the difference must
// still be listed, and visibly.
TEST(CompareImages, ATextFieldDifferingAfterItsEndShowsItsBytes) {
  ConfigImage first = *DefaultImageFor(u"VOR");
  first[kModuleNameAddr + 3] = 0;  // "VOR" and then hidden bytes
  ConfigImage second = first;
  second[kModuleNameAddr + 6] ^= 0x01;
  const ImageDifferences differences = CompareImages(first, second, *Loaded(first));
  ASSERT_EQ(differences.fields.size(), 1u);
  EXPECT_EQ(differences.fields[0].label, "Module Name");
  EXPECT_TRUE(differences.fields[0].first.startsWith("VOR ["));
  EXPECT_NE(differences.fields[0].first, differences.fields[0].second);
  EXPECT_TRUE(differences.bytes.empty());
}

}  // namespace
}  // namespace vor
