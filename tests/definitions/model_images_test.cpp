#include "definitions/model_images.h"

#include <gtest/gtest.h>

#include <memory>

#include "definitions/definition_loader.h"
#include "definitions/model_table.h"
#include "tests/support/model_scripts.h"
#include "tests/support/scripted_prompter.h"

namespace vor {
namespace {

// The value of a shown field as the pages test it: one byte raw against the signed limits,
// several bytes as an unsigned number against unsigned limits.
bool InRange(const ConfigImage& image, const ParamDef& def) {
  if (def.pro == 0) return true;
  if (def.pro == 1) {
    const int v = image[std::size_t(def.addr)];
    return v >= def.rangeL && v <= def.rangeH;
  }
  std::uint32_t v = 0;
  for (int j = 0; j <= def.pos; ++j) v = (v << 8) | image[std::size_t(def.addr + j)];
  return v >= std::uint32_t(def.rangeL) && v <= std::uint32_t(def.rangeH);
}

TEST(DefaultImageFor, ReachesEveryRowOfTheModelTableWithValuesInRange) {
  struct Case {
    const char* code;
    ImageOptions options;
    int paramScript, liveScript, flag;
  };
  std::vector<Case> cases;
  for (const test::ModelScripts& row : test::kModelScripts) {
    cases.push_back({row.code,
                     {.specialVersion = row.special, .softwareVersion = row.software},
                     row.paramScript,
                     row.liveScript,
                     row.specialFlag});
  }
  cases.push_back({"VOR", {.voltageClass = "24"}, 145, 149, 0});
  cases.push_back({"VOR", {.voltageClass = "80"}, 145, 149, 0});
  cases.push_back({"GAW", {.voltageClass = "24"}, 202, 157, 0});
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.code) + " " + std::to_string(c.paramScript) + " " +
                 c.options.voltageClass.value_or("-").toStdString());
    const std::optional<ConfigImage> image = DefaultImageFor(QString(c.code), c.options);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(ModelCode(*image), c.code);
    EXPECT_EQ(VoltageClass(*image).size(), 2);

    auto set = std::make_unique<DefinitionSet>();
    test::ScriptedPrompter prompter;
    ASSERT_TRUE(LoadDefinitions(*image, *set, prompter));
    EXPECT_EQ(set->paramScript, c.paramScript);
    EXPECT_EQ(set->liveScript, c.liveScript);
    EXPECT_EQ(set->SpecialVersionFlag, c.flag);
    for (const ParamDef& def : set->Params()) {
      if (def.show == 1 && def.en == 1 && def.sw.Kind() != Encoding::Ascii &&
          def.sw.Kind() != Encoding::Hex) {
        EXPECT_TRUE(InRange(*image, def)) << def.name.toStdString();
      }
    }
  }
}

TEST(DefaultImageFor, VorIsA72VoltController) {
  const std::optional<ConfigImage> image = DefaultImageFor(u"VOR");
  ASSERT_TRUE(image.has_value());
  const QByteArray moduleName(reinterpret_cast<const char*>(&image->bytes[kModuleNameAddr]),
                              kModuleNameSize);
  EXPECT_TRUE(moduleName.startsWith("VOR72"));
  EXPECT_EQ(ControllerVolt(*image), 72);
  EXPECT_EQ((*image)[kSpecialVersionAddr], 0);
}

TEST(DefaultImageFor, KnobsSetTheirBytes) {
  const std::optional<ConfigImage> image =
      DefaultImageFor(u"PUV", {.specialVersion = 9, .softwareVersion = 0x0502});
  ASSERT_TRUE(image.has_value());
  EXPECT_EQ((*image)[kSpecialVersionAddr], 9);
  EXPECT_EQ(SoftwareVersion(*image), 0x0502);
}

TEST(DefaultImageFor, UnknownCodeHasNoImage) {
  for (const char* code : {"vor", "XYZ", "", "VO", "VORX"}) {
    EXPECT_FALSE(DefaultImageFor(QString(code)).has_value()) << code;
  }
}

}  // namespace
}  // namespace vor
