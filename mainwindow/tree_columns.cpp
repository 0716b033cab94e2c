#include "mainwindow/tree_columns.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace vor {

void FitColumnsToContents(QTreeWidget* list) {
  // About two average characters: as far apart as the columns of a spreadsheet's text.
  const int gap = 2 * list->fontMetrics().averageCharWidth();
  for (int column = 0; column < list->columnCount(); ++column) {
    list->resizeColumnToContents(column);
    list->setColumnWidth(column, list->columnWidth(column) + gap);
  }
  list->header()->setStretchLastSection(true);
}

}  // namespace vor
