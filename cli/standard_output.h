#pragma once

namespace vor::cli {

// Puts standard output into binary mode where the C library would otherwise change line ends,
// so that raw bytes reach it unchanged.
void SetStandardOutputBinary();

// Makes a console show the UTF-8 the program prints (Chinese --help, the definitions' labels) as
// text, for as long as the program runs. Where text output is UTF-8 anyway it does nothing.
void ShowUtf8InConsole();

// Flushes what the program has printed. False when the system did not take all of it (a full
// disk, /dev/full), after saying so on stderr (once, however often it is asked).
bool FlushStandardOutput();

// From now on, however the program ends (--help included), a result that did not reach standard
// output ends it with exit status 1 and the message of FlushStandardOutput: a script must never
// take an empty or cut output for the result. Called before anything is printed, and before
// ShowUtf8InConsole, whose own work at the end comes first then.
void FailOnLostStandardOutput();

}  // namespace vor::cli
