#include "pages/page_fields.h"

#include <QCoreApplication>

#include "pages/value_codec.h"
#include "pages/vehicle_rules.h"

namespace vor {

std::vector<PageField> PageFields(const DefinitionSet& set) {
  std::vector<PageField> fields;
  const FlagBoxes boxes = FlagWalk(set);
  for (int k = 0; k < boxes.count; ++k) {
    fields.push_back({PageKind::Vehicle, boxes.position[std::size_t(k)], true});
  }
  for (const PageKind page : {PageKind::Vehicle, PageKind::Control, PageKind::Motor}) {
    const PageSlots walk = SlotWalk(set, page);
    for (int k = 0; k < walk.count; ++k) {
      fields.push_back({page, walk.position[static_cast<std::size_t>(k)]});
    }
  }
  return fields;
}

std::optional<QString> ShownText(const DefinitionSet& set, const PageField& field,
                                 const ConfigImage& image) {
  const ParamDef& def = set.params[static_cast<std::size_t>(field.position)];
  if (field.box) {
    if (!IsFlagBit(def)) return std::nullopt;
    return FlagValue(def, image) ? QStringLiteral("1") : QStringLiteral("0");
  }
  const std::optional<QString> text = FormatValue(def, image);
  if (!text || field.page != PageKind::Vehicle) return text;
  return VehicleDisplayText(set, def, *text);
}

StoreResult TestEntry(const DefinitionSet& set, const PageField& field, const QString& text) {
  const ParamDef& def = set.params[static_cast<std::size_t>(field.position)];
  if (field.page == PageKind::Vehicle) {
    if (const std::optional<StoreResult> own = VehicleOwnAnswer(set, def, text)) return *own;
  }
  return TestValue(def, text);
}

QString FieldLabel(const ParamDef& def) { return WithoutTrailingBlanks(def.name); }

QString WithoutTrailingBlanks(const QString& text) {
  qsizetype end = text.size();
  while (end > 0 && text[end - 1].isSpace()) --end;
  return text.left(end);
}

namespace {

const char* PageNameSource(PageKind page) {
  switch (page) {
    case PageKind::Vehicle:
      return QT_TRANSLATE_NOOP("vor::PageFields", "Vehicle");
    case PageKind::Control:
      return QT_TRANSLATE_NOOP("vor::PageFields", "Control");
    case PageKind::Motor:
      return QT_TRANSLATE_NOOP("vor::PageFields", "Motor");
  }
  return "";
}

}  // namespace

QString PageName(PageKind page) { return QString::fromLatin1(PageNameSource(page)); }

std::optional<PageKind> PageNamed(const QString& name) {
  for (const PageKind page : {PageKind::Vehicle, PageKind::Control, PageKind::Motor}) {
    if (name == PageName(page)) return page;
  }
  return std::nullopt;
}

QString PageTitle(PageKind page) {
  return QCoreApplication::translate("vor::PageFields", PageNameSource(page));
}

QString BoxStateText(const QString& shown) {
  return shown == u"1" ? QCoreApplication::translate("vor::PageFields", "ticked")
                       : QCoreApplication::translate("vor::PageFields", "not ticked");
}

}  // namespace vor
