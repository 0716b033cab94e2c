#pragma once

#include <QString>

namespace vor {

// One CSV field by RFC 4180: quoted when it holds a comma, a double quote, a line break, or space
// at either end (which a spreadsheet would otherwise drop); double quotes inside are doubled.
// Every CSV file the programs write quotes through this one function.
QString CsvField(const QString& text);

}  // namespace vor
