#pragma once

class QTreeWidget;

namespace vor {

// Sizes every column of `list` to its contents with a gap before the next one: sized to its
// contents alone, a column's text runs up to a few pixels from its neighbour's. The last column
// then takes what room is left.
void FitColumnsToContents(QTreeWidget* list);

}  // namespace vor
