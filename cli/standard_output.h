#pragma once

namespace vor::cli {

// Puts standard output into binary mode where the C library would otherwise change line ends,
// so that raw bytes reach it unchanged.
void SetStandardOutputBinary();

}  // namespace vor::cli
