#pragma once

// What the tests of configuration files share: the definitions for an image, its serial number,
// and its boxes and fields found by their labels.
#include <gtest/gtest.h>

#include <memory>

#include "definitions/definition_loader.h"
#include "definitions/model_table.h"
#include "pages/page_fields.h"
#include "tests/support/scripted_prompter.h"

namespace vor::test {

inline std::unique_ptr<DefinitionSet> LoadedFor(const ConfigImage& image) {
  auto set = std::make_unique<DefinitionSet>();
  ScriptedPrompter prompter;
  EXPECT_TRUE(LoadDefinitions(image, *set, prompter));
  return set;
}

inline void SetSerial(ConfigImage& image, std::uint32_t serial) {
  for (std::size_t i = 0; i < kSerialNumberSize; ++i) {
    image[kSerialNumberAddr + i] = std::uint8_t(serial >> (24 - 8 * i));
  }
}

// The box or field labelled `label` on the three pages.
inline PageField FieldNamed(const DefinitionSet& set, const QString& label) {
  for (const PageField& field : PageFields(set)) {
    if (FieldLabel(set.params[std::size_t(field.position)]) == label) return field;
  }
  ADD_FAILURE() << "no field " << label.toStdString();
  return {};
}

}  // namespace vor::test
