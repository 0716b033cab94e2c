#include "link/frame_trace.h"

namespace vor {

QString HexBytes(std::span<const std::uint8_t> bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()) * 3);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i) text += u' ';
    text += QString::asprintf("%02x", bytes[i]);
  }
  return text;
}

void FrameTrace::FrameSent(std::span<const std::uint8_t> bytes) { Print("TX ", bytes); }

void FrameTrace::FrameReceived(std::span<const std::uint8_t> bytes, bool ok) {
  Print(ok ? "RX " : "RX!", bytes);
}

void FrameTrace::Print(const char* tag, std::span<const std::uint8_t> bytes) {
  const double ms = static_cast<double>(clock_.NowUs() - startUs_) / 1000.0;
  std::fprintf(out_, "%10.3f ms %s %s\n", ms, tag, qPrintable(HexBytes(bytes)));
  std::fflush(out_);
}

}  // namespace vor
