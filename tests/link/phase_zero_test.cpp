// One phase zero exchange and which answers are a reading.
#include "link/phase_zero.h"

#include <gtest/gtest.h>

#include "definitions/model_images.h"
#include "simulator/simulated_controller.h"
#include "simulator/virtual_port.h"

namespace vor {
namespace {

// A short answer's missing bytes would be whatever an earlier frame left, such as its checksum:
// a calibration written from it would be wrong with nothing to show it.
TEST(ReadPhaseZero, OnlyAWholeAnswerToTheRequestIsAReading) {
  struct Case {
    std::optional<FaultKind> fault;
    bool reading;
  };
  for (const Case& c : {Case{std::nullopt, true}, Case{FaultKind::ShortAnswer, false},
                        Case{FaultKind::WrongCommand, false}, Case{FaultKind::Ignore, false}}) {
    SCOPED_TRACE(c.fault ? int(*c.fault) : -1);
    VirtualClock clock;
    SimulatedController controller(*DefaultImageFor(u"VOR"));
    if (c.fault) controller.AddFault(FaultRule(*c.fault, 0x35, 2));
    SerialLink link(clock);
    link.SetPort(std::make_unique<VirtualPort>(clock, &controller));

    // A whole answer first, so that a short one finds its bytes in the buffer.
    const std::optional<PhaseZeroReading> first = ReadPhaseZero(link, true);
    ASSERT_TRUE(first);
    const std::optional<PhaseZeroReading> second = ReadPhaseZero(link, false);
    EXPECT_EQ(second.has_value(), c.reading);
    if (second) {
      for (std::uint8_t value : *second) EXPECT_NEAR(value, 128, 4);
    }
  }
}

}  // namespace
}  // namespace vor
