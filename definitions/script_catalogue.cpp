#include "definitions/script_catalogue.h"

#include <QFile>
#include <array>

namespace vor {
namespace {

constexpr std::array kCarried{
    CatalogueEntry{4, ScriptKind::Parameter},   CatalogueEntry{145, ScriptKind::Parameter},
    CatalogueEntry{149, ScriptKind::LiveData},  CatalogueEntry{152, ScriptKind::Parameter},
    CatalogueEntry{157, ScriptKind::LiveData},  CatalogueEntry{160, ScriptKind::Parameter},
    CatalogueEntry{165, ScriptKind::LiveData},  CatalogueEntry{167, ScriptKind::Parameter},
    CatalogueEntry{169, ScriptKind::LiveData},  CatalogueEntry{172, ScriptKind::Parameter},
    CatalogueEntry{180, ScriptKind::Parameter}, CatalogueEntry{182, ScriptKind::Parameter},
    CatalogueEntry{185, ScriptKind::Parameter}, CatalogueEntry{187, ScriptKind::LiveData},
    CatalogueEntry{190, ScriptKind::Parameter}, CatalogueEntry{192, ScriptKind::LiveData},
    CatalogueEntry{194, ScriptKind::Parameter}, CatalogueEntry{197, ScriptKind::Parameter},
    CatalogueEntry{199, ScriptKind::LiveData},  CatalogueEntry{202, ScriptKind::Parameter},
    CatalogueEntry{205, ScriptKind::LiveData},
};

}  // namespace

std::span<const CatalogueEntry> CarriedScripts() { return kCarried; }

std::optional<QByteArray> FindScript(int id) {
  QFile file(QStringLiteral(":/definitions/scripts/%1.txt").arg(id));
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return file.readAll();
}

}  // namespace vor
