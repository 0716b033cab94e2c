#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "simulator/simulated_controller.h"

namespace vor {

// When the controller's answers go out on its transmit line. They never overlap on the wire:
// each starts when it is due and the line is free, in the order given, except that an answer
// that is overtaken leaves the line to the answers given after it until its own time comes.
class AnswerSchedule {
public:
  // Places an answer due at `dueUs` that lasts `durationUs` on the wire; returns when it starts.
  // `nowUs` is the time of the request it answers (no answer given later is due before it).
  std::int64_t Place(std::int64_t nowUs, std::int64_t dueUs, std::int64_t durationUs,
                     bool overtaken);

  // Places `reply`, for a request whose last byte arrived at `requestEndUs`, and its copy if it
  // has one; calls `send(bytes, startUs)` for each. `duration(size)` is how long `size` bytes
  // last on the wire as the transport paces them.
  template <typename Duration, typename Send>
  void PlaceReply(const SimReply& reply, std::int64_t requestEndUs, Duration&& duration,
                  Send&& send) {
    const auto bytes = std::span<const std::uint8_t>(reply.bytes).first(reply.size);
    const std::int64_t length = duration(reply.size);
    // A copy due right behind its first goes out right behind it, as one transmission: no other
    // answer comes between them.
    const bool joined = reply.repeatAfterUs == 0;
    const std::int64_t start = Place(requestEndUs, requestEndUs + reply.delayUs,
                                     joined ? duration(2 * reply.size) : length, reply.overtaken);
    send(bytes, start);
    if (reply.repeatAfterUs < 0) return;
    send(bytes, joined ? start + length
                       : Place(requestEndUs, start + length + reply.repeatAfterUs, length, true));
  }

private:
  struct Span {
    std::int64_t startUs;
    std::int64_t endUs;
  };

  std::int64_t lineFreeUs_ = 0;  // the end of the last answer that holds up the later ones
  std::vector<Span> taken_;      // answers placed that may still be on the wire
};

}  // namespace vor
