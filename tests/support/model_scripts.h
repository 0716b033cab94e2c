#pragma once

// Which scripts, anchors and flag the model table gives an image: one row per case of the table,
// shared by every test that checks a selection.
#include <cstdint>
#include <optional>

namespace vor::test {

struct ModelScripts {
  const char* code;
  std::optional<std::uint8_t> special;    // byte 72; unset: 0
  std::optional<std::uint16_t> software;  // bytes 83..84; unset: the model's default
  int paramScript;
  int liveScript;
  int controlAnchor;
  int motorAnchor;
  int specialFlag;
};

inline constexpr ModelScripts kModelScripts[] = {
    {"VOR", {}, {}, 145, 149, 28, 24, 0},     {"TAQ", {}, {}, 182, 192, 28, 24, 0},
    {"MOZ", {}, {}, 180, 192, 28, 24, 0},     {"GAW", {}, {}, 202, 157, 43, 27, 0},
    {"NIR", {}, {}, 185, 187, 28, 24, 0},     {"FOY", {}, {}, 4, 205, 28, 24, 0},
    {"JUT", 5, {}, 197, 199, 28, 24, 1},      {"JUT", 4, {}, 197, 199, 28, 24, 1},
    {"JUT", 3, {}, 172, 149, 28, 24, 0},      {"JUT", 6, {}, 172, 149, 28, 24, 0},
    {"HEW", 5, {}, 172, 149, 28, 24, 0},      {"QOG", {}, {}, 190, 165, 28, 24, 0},
    {"PUV", {}, 0x0502, 160, 157, 28, 61, 0}, {"PUV", {}, 0x0503, 152, 157, 43, 27, 0},
    {"PUV", {}, 0x1000, 152, 157, 43, 27, 0}, {"WUM", {}, {}, 167, 169, 28, 24, 0},
    {"DAJ", {}, {}, 194, 149, 28, 24, 0},     {"ZUB", {}, {}, 194, 149, 28, 24, 0},
};

// The row that selects parameter script `id`; every carried parameter script has one.
inline const ModelScripts* RowOfParamScript(int id) {
  for (const ModelScripts& row : kModelScripts) {
    if (row.paramScript == id) return &row;
  }
  return nullptr;
}

}  // namespace vor::test
