#pragma once

namespace vor::cli {

// Puts standard output into binary mode where the C library would otherwise change line ends,
// so that raw bytes reach it unchanged.
void SetStandardOutputBinary();

// Flushes what the program has printed. False when the system did not take all of it (a full
// disk, /dev/full), after saying so on stderr (once, however often it is asked).
bool FlushStandardOutput();

// From now on, however the program ends (--help included), a result that did not reach standard
// output ends it with exit status 1 and the message of FlushStandardOutput: a script must never
// take an empty or cut output for the result.
void FailOnLostStandardOutput();

}  // namespace vor::cli
