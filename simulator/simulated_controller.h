#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "link/config_image.h"
#include "link/link_frame.h"
#include "simulator/sim_faults.h"

namespace vor {

// An answer on its way to the tool: the bytes, and how long after the request's last byte
// the first of them starts on the wire.
struct SimReply {
  std::array<std::uint8_t, LinkFrame::kMaxSize + 1> bytes{};
  std::size_t size = 0;
  std::int64_t delayUs = 0;
  // The answer leaves the line to the answers of later requests until its time comes, instead
  // of holding them up behind it.
  bool overtaken = false;
  // Sent once more, this long after the first copy ended; none when negative.
  std::int64_t repeatAfterUs = -1;
};

// The controller's side of the protocol: a configuration image, a pending image that write
// blocks fill and Commit makes current, live readings, and the faults it has been told to show.
// Safe to inspect from another thread while a transport drives it.
class SimulatedController {
public:
  explicit SimulatedController(const ConfigImage& image);

  // Answers one complete request that arrived at `nowUs`; nothing for requests the controller
  // does not answer (the port probe, unknown commands) or that a fault swallows.
  std::optional<SimReply> Handle(const LinkFrame& request, std::int64_t nowUs);

  void AddFault(const FaultRule& rule);
  void ClearFaults();

  ConfigImage Image() const;
  void SetImage(const ConfigImage& image);
  // Requests seen so far with command byte `command`.
  int RequestCount(std::uint8_t command) const;
  int CommitCount() const;

  // Payload byte 2 of the answer to Detect (1 and 2 identify a controller).
  void SetDetectKind(std::uint8_t kind);
  // Fixes the fault word of the live data (bytes 32..33); nullopt lets faults come and go.
  void SetFaultWord(std::optional<std::uint16_t> word);

private:
  std::optional<SimReply> Answer(const LinkFrame& request, std::int64_t nowUs);
  int NominalVolt() const;

  mutable std::mutex mutex_;
  ConfigImage image_;
  ConfigImage pending_;
  std::vector<FaultRule> faults_;
  std::map<std::uint8_t, int> requestCounts_;
  int commits_ = 0;
  std::uint8_t detectKind_ = 1;
  std::optional<std::uint16_t> faultWord_;
};

}  // namespace vor
