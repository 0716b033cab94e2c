// Feeds arbitrary bytes to both script parsers: they must never crash, read out of bounds or
// overflow, whatever the script holds.
#include <cstddef>
#include <cstdint>

#include "definitions/script_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArrayView script(reinterpret_cast<const char*>(data), qsizetype(size));
  const std::vector<vor::ParamDef> params = vor::ParseParameterScript(script);
  const vor::LiveDataScript live = vor::ParseLiveDataScript(script);
  // Every record needs a "[" and an LF, so neither parser can produce more records than bytes.
  if (params.size() > size || live.items.size() + live.faults.size() > size) __builtin_trap();
  return 0;
}
