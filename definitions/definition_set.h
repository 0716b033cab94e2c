#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <span>
#include <utility>

namespace vor {

// How a record's value is shown and entered.
enum class Encoding {
  Unsigned,  // "uo": unsigned decimal
  Signed,    // "so": signed (two's complement) decimal
  Hex,       // "h": lower-case hexadecimal
  Ascii,     // "a": one character per byte
  Unknown,   // any other text: the value has no text form
};

// A record's `sw` text as the script has it, with its encoding read once, here. The text is kept
// to be shown as it is (an unknown one included); whatever acts on the kind asks Kind(). The four
// texts are compared exactly and case-sensitively: "uo " is Unknown.
class DisplayFormat {
public:
  DisplayFormat() = default;
  // Implicit: a script's text (or a test's literal) is assigned as the record's `sw`.
  DisplayFormat(QString text) : text_(std::move(text)), kind_(KindOf(text_)) {}
  DisplayFormat(const char* text) : DisplayFormat(QString::fromUtf8(text)) {}

  const QString& Text() const { return text_; }
  Encoding Kind() const { return kind_; }

  friend bool operator==(const DisplayFormat&, const DisplayFormat&) = default;

private:
  static Encoding KindOf(const QString& text) {
    if (text == u"uo") return Encoding::Unsigned;
    if (text == u"so") return Encoding::Signed;
    if (text == u"h") return Encoding::Hex;
    if (text == u"a") return Encoding::Ascii;
    return Encoding::Unknown;
  }

  QString text_;
  Encoding kind_ = Encoding::Unknown;
};

// One record of a parameter script: a field (or switch bit) of the configuration image.
struct ParamDef {
  std::int32_t addr = 0;  // image byte address; for multi-byte values the most significant byte
  std::int32_t pro = 0;   // 0 one bit, 1 one byte, 2 pos + 1 bytes
  std::int32_t pos = 0;   // bit number for pro 0, byte count minus one for pro 2
  std::int32_t show = 0;  // 1 = gets a field on its page
  std::int32_t en = 0;    // 1 = editable and held to the range
  DisplayFormat sw{};     // "uo", "so", "h" or "a"
  QString name{};
  std::int32_t rangeL = 0;
  std::int32_t rangeH = 0;
  QString tips{};

  friend bool operator==(const ParamDef&, const ParamDef&) = default;
};

// One item of the 48-byte live block polled by the Monitor page.
struct LiveDef {
  std::int32_t addr = 0;  // byte offset in the live block
  std::int32_t pro = 0;   // 1 one byte, 2 pos + 1 bytes
  std::int32_t pos = 0;
  DisplayFormat sw{};
  QString name{};
  std::int32_t min = 0;   // carried only
  std::int32_t max = 0;   // carried only
  std::uint8_t show = 0;  // carried only
  std::int32_t rgb = 0;   // carried only
  QString tips{};
  std::int32_t en = 0;  // 1 = shown on the Monitor page

  friend bool operator==(const LiveDef&, const LiveDef&) = default;
};

// The name of one bit of the fault word; the bit number is the position in DefinitionSet::faults.
struct FaultDef {
  std::int32_t number = 0;
  QString name{};

  friend bool operator==(const FaultDef&, const FaultDef&) = default;
};

// The definitions of the connected model. Filled once by LoadDefinitions, read-only afterwards.
// Slots beyond the counts hold default (zero, empty) records.
struct DefinitionSet {
  static constexpr int kMaxParams = 512;
  static constexpr int kMaxLiveItems = 128;
  static constexpr int kMaxFaults = 32;
  // The first 24 parameter records are the Vehicle page's switch bits.
  static constexpr int kSwitchBitCount = 24;

  std::array<ParamDef, kMaxParams> params{};
  int paramCount = 0;
  std::array<LiveDef, kMaxLiveItems> liveItems{};
  int liveCount = 0;
  std::array<FaultDef, kMaxFaults> faults{};
  int faultCount = 0;

  // Record numbers that open the Control page, open the Motor page and close the Motor page.
  int controlAnchor = 0;
  int motorAnchor = 0;
  int endAnchor = 0;
  // Table positions of the (last) records carrying those numbers; 0 until one is loaded.
  int controlFirst = 0;
  int motorFirst = 0;
  int motorEnd = 0;

  // 1 for the JUT variant with special-version byte 4 or 5; never cleared.
  int SpecialVersionFlag = 0;

  // Catalogue ids of the loaded scripts, and the model code of the image they were chosen for;
  // 0 and empty while nothing is loaded.
  int paramScript = 0;
  int liveScript = 0;
  QString modelCode{};

  std::span<const ParamDef> Params() const { return {params.data(), std::size_t(paramCount)}; }
  std::span<const LiveDef> LiveItems() const { return {liveItems.data(), std::size_t(liveCount)}; }
  std::span<const FaultDef> Faults() const { return {faults.data(), std::size_t(faultCount)}; }
};

}  // namespace vor
