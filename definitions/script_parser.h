#pragma once

#include <QByteArrayView>
#include <vector>

#include "definitions/definition_set.h"

namespace vor {

// Parses the bytes of a parameter script into its records, in script order. The script ends at
// its first backslash; a record runs from "[" to the next LF. Never fails: text that does not
// follow the format yields dropped records or zero and empty fields.
std::vector<ParamDef> ParseParameterScript(QByteArrayView script);

struct LiveDataScript {
  std::vector<LiveDef> items;    // records of the "Dat" sections, in script order
  std::vector<FaultDef> faults;  // records of the "Err" sections, in script order
};

// Parses the bytes of a live-data script. Records before the first "[Dat]" or "[Err]" header are
// dropped. Never fails, as ParseParameterScript.
LiveDataScript ParseLiveDataScript(QByteArrayView script);

}  // namespace vor
