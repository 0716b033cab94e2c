#include "simulator/request_reader.h"

namespace vor {

AssembleResult RequestReader::Feed(std::uint8_t byte, std::int64_t atUs) {
  if (assembling_ && atUs - lastByteUs_ > kResyncGapUs) assembling_ = false;
  lastByteUs_ = atUs;
  return AssembleByte(frame_, count_, assembling_, byte);
}

}  // namespace vor
