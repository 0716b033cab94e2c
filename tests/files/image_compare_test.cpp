// The list of differences between two images that Compare, Confirm Writes, Verify After Write
// and vor-cli diff show.
#include "files/image_compare.h"

#include <gtest/gtest.h>

#include <functional>

#include "definitions/model_images.h"
#include "definitions/model_table.h"
#include "tests/files/loaded_definitions.h"

namespace vor {
namespace {

using test::LoadedFor;

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
    const auto set = LoadedFor(c.first);
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
  const ImageDifferences differences = CompareImages(first, second, *LoadedFor(first));
  ASSERT_EQ(differences.fields.size(), 1u);
  EXPECT_EQ(differences.fields[0].label, "Module Name");
  EXPECT_TRUE(differences.fields[0].first.startsWith("VOR ["));
  EXPECT_NE(differences.fields[0].first, differences.fields[0].second);
  EXPECT_TRUE(differences.bytes.empty());
}

}  // namespace
}  // namespace vor

namespace vor {
namespace {

// Taking the changes' bits from the second image must give exactly the second image, and take a
// multi-byte field whole (never a mix of two values) but a switch alone (never its neighbours).
TEST(CompareImages, TheChangesBitsTakeWholeValuesAndSingleSwitches) {
  const ConfigImage first = *DefaultImageFor(u"VOR");
  ConfigImage second = first;
  second[19] = 50;                     // Low Volt
  second[kSerialNumberAddr + 3] ^= 1;  // the last byte of a four-byte field
  second[0] ^= 0x04;                   // Rev_HCurr, a box
  second[0] ^= 0x10;                   // a switch no page shows, in the same byte
  second[13] ^= 0x21;                  // a byte no page shows
  const auto set = LoadedFor(first);
  const ImageMask bits = ChangeBits(*set, CompareImages(first, second, *set));

  ConfigImage taken = first;
  TakeBits(bits, second, taken);
  EXPECT_EQ(taken.bytes, second.bytes);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(bits[kSerialNumberAddr + i], 0xFF) << i;
  EXPECT_EQ(bits[0], 0x04 | 0x10);
  EXPECT_EQ(bits[13], 0xFF);
  EXPECT_EQ(bits[20], 0);  // Over Volt, unchanged
}

}  // namespace
}  // namespace vor
