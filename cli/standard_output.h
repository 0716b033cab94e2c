#pragma once

namespace vor::cli {

// Puts standard output into binary mode where the C library would otherwise change line ends,
// so that raw bytes reach it unchanged.
void SetStandardOutputBinary();

// Makes a console show the UTF-8 the program prints (Chinese --help, the definitions' labels) as
// text, for as long as the program runs. Where text output is UTF-8 anyway it does nothing.
void ShowUtf8InConsole();

}  // namespace vor::cli
