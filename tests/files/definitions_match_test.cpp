// Whether an image from a file fits the definitions loaded for the connected controller.
#include "files/definitions_match.h"

#include <gtest/gtest.h>

#include <memory>

#include "definitions/definition_loader.h"
#include "definitions/model_images.h"
#include "tests/support/scripted_prompter.h"

namespace vor {
namespace {

std::unique_ptr<DefinitionSet> Loaded(const ConfigImage& image) {
  auto set = std::make_unique<DefinitionSet>();
  test::ScriptedPrompter prompter;
  EXPECT_TRUE(LoadDefinitions(image, *set, prompter));
  return set;
}

TEST(DefinitionsMatch, RefusesWhatWouldSelectOtherDefinitions) {
  const struct {
    const char* name;
    ConfigImage loadedFrom;
    ConfigImage candidate;
    const char* reason;  // empty: it fits
  } cases[] = {
      {"same model and class", *DefaultImageFor(u"VOR"), *DefaultImageFor(u"VOR"), ""},
      {"another model", *DefaultImageFor(u"VOR"), *DefaultImageFor(u"TAQ"),
       "it is a configuration of model TAQ, not VOR"},
      {"another model with the same scripts", *DefaultImageFor(u"DAJ"), *DefaultImageFor(u"ZUB"),
       "it is a configuration of model ZUB, not DAJ"},
      {"the special version", *DefaultImageFor(u"JUT"),
       *DefaultImageFor(u"JUT", {.specialVersion = 5}), "it is of the special version"},
      {"another software version", *DefaultImageFor(u"PUV", {.softwareVersion = 0x0503}),
       *DefaultImageFor(u"PUV", {.softwareVersion = 0x0502}),
       "its software version 0502 needs other definitions"},
      {"another voltage class", *DefaultImageFor(u"VOR", {.voltageClass = "72"}),
       *DefaultImageFor(u"VOR", {.voltageClass = "24"}),
       "its voltage class \"24\" sets other limits"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DefinitionsMismatch(c.candidate, *Loaded(c.loadedFrom)), QString::fromUtf8(c.reason))
        << c.name;
  }
}

}  // namespace
}  // namespace vor
