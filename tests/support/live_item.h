#pragma once

// A live item of the given shape for tests of everything that shows live data.
#include <QString>

#include "definitions/definition_set.h"

namespace vor::test {

// `en` 1 puts the item on the Monitor page. Its help text is "<name> help", so that a tip shows
// whose it is.
inline LiveDef LiveItem(int addr, int pro, int pos, const char* sw, const char* name = "Item",
                        int en = 1) {
  LiveDef def;
  def.addr = addr;
  def.pro = pro;
  def.pos = pos;
  def.sw = sw;
  def.name = QString::fromUtf8(name);
  def.en = en;
  def.tips = QStringLiteral("%1 help").arg(def.name);
  return def;
}

}  // namespace vor::test
