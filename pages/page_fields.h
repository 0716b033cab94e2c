#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "definitions/definition_set.h"
#include "link/config_image.h"
#include "pages/page_records.h"
#include "pages/value_codec.h"

namespace vor {

// A control of the parameter pages that shows a record: a check box of the Vehicle page or a
// field of any of the three pages, with the record's position in the parameter table.
struct PageField {
  PageKind page;
  int position;
  bool box = false;  // a Vehicle page check box
};

// The Vehicle page's check boxes in box order, then every field of the Vehicle, Control and
// Motor pages, page by page in slot order.
std::vector<PageField> PageFields(const DefinitionSet& set);

// What the control shows for `image`, exactly as the page shows it: "0" or "1" for a box, the
// field's text with the Vehicle page's substitutions; nullopt for a box without a bit and a
// field without a text form.
std::optional<QString> ShownText(const DefinitionSet& set, const PageField& field,
                                 const ConfigImage& image);

// What the page's store pass answers for `text` as the entry of the field `field` (not a box),
// without writing it: first the Vehicle page's rules (a field it leaves alone is NotStored, the
// special edition's field is tested as the number it stands for), then StoreValue's range test.
// OutOfRange means the page would refuse it with RangeMessage. The one check of a value against
// its range, for what comes from elsewhere than the pages' fields (files, vor-cli).
StoreResult TestEntry(const DefinitionSet& set, const PageField& field, const QString& text);

// The record's name as a label, without the trailing blanks some scripts carry and nobody types.
QString FieldLabel(const ParamDef& def);
QString WithoutTrailingBlanks(const QString& text);

// "Vehicle", "Control" or "Motor", as the page buttons name the pages: the name that files and
// outputs carry, never translated.
QString PageName(PageKind page);
// The page PageName names `name`; nullopt for any other text.
std::optional<PageKind> PageNamed(const QString& name);
// The page's name as the user reads it in a window, in the user's language.
QString PageTitle(PageKind page);

// A box's value as a window names it, in the user's language: "ticked" for "1" (as ShownText gives
// it), "not ticked" for anything else.
QString BoxStateText(const QString& shown);

}  // namespace vor
