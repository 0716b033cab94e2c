// What the window asks while the user types: does the field's text make a change against the
// controller's value, judged as the store pass would store it.
#include "files/unwritten_changes.h"

#include <gtest/gtest.h>

#include <functional>

#include "definitions/model_images.h"
#include "definitions/model_table.h"
#include "tests/files/loaded_definitions.h"

namespace vor {
namespace {

using test::FieldNamed;
using test::LoadedFor;

TEST(UnwrittenChanges, ATypedTextDiffersWhenItWouldStoreAnotherValue) {
  const ConfigImage vor = *DefaultImageFor(u"VOR");  // Low Volt 54, range 18..90
  const ConfigImage special = *DefaultImageFor(u"JUT", {.specialVersion = 5});
  const struct {
    const char* name;
    ConfigImage controller;
    std::function<void(ConfigImage&)> pagesChange;
    const char* label;
    const char* text;
    bool differs;
  } cases[] = {
      {"the controller's value", vor, {}, "Low Volt", "54", false},
      {"the same value written otherwise", vor, {}, "Low Volt", " 054", false},
      {"another value", vor, {}, "Low Volt", "50", true},
      // Typing the controller's value back clears a stored change.
      {"back to the controller's value", vor, [](ConfigImage& i) { i[19] = 50; }, "Low Volt", "54",
       false},
      // Refused by the store pass: still not the controller's value.
      {"out of range", vor, {}, "Low Volt", "300", true},
      {"a field of the Control page", vor, {}, "Control Mode", "2", true},
      {"a hex field", vor, {}, "User Code", "0000", false},
      {"a hex field changed", vor, {}, "User Code", "00ab", true},
      // The page leaves an empty "a" field alone: what the pages hold counts.
      {"an empty text field", vor, {}, "Module Name", "", false},
      {"an empty text field over a change", vor,
       [](ConfigImage& i) { i[kModuleNameAddr + 7] ^= 1; }, "Module Name", "", true},
      // The special-version byte shows its edition code and is never stored.
      {"the edition code", special, {}, "Special Version", "EB", false},
      {"another edition code", special, {}, "Special Version", "EA", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ConfigImage pages = c.controller;
    if (c.pagesChange) c.pagesChange(pages);
    const auto set = LoadedFor(c.controller);
    const PageField field = FieldNamed(*set, c.label);
    EXPECT_EQ(TextDiffers(*set, field, c.text, c.controller, pages), c.differs);
  }
}

}  // namespace
}  // namespace vor
