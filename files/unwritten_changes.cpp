#include "files/unwritten_changes.h"

#include "pages/value_codec.h"
#include "pages/vehicle_rules.h"

namespace vor {

ImageDifferences UnwrittenChanges(const DefinitionSet& set, const ConfigImage& controller,
                                  const ConfigImage& pages) {
  return CompareImages(controller, pages, set);
}

bool FieldChanged(const DefinitionSet& set, const PageField& field, const ConfigImage& controller,
                  const ConfigImage& pages) {
  return FieldDiffers(set, field, controller, pages);
}

bool StoreTypedText(const DefinitionSet& set, const PageField& field, const QString& text,
                    ConfigImage& image) {
  const ParamDef& def = set.params[static_cast<std::size_t>(field.position)];
  const VehicleStore rule =
      field.page == PageKind::Vehicle ? VehicleStoreRule(set, def, text) : VehicleStore::Store;
  switch (rule) {
    case VehicleStore::Skip:
      return true;
    case VehicleStore::TestOnly:
      return false;
    case VehicleStore::Store:
      break;
  }
  ConfigImage typed = image;
  if (StoreValue(def, text, typed) != StoreResult::Stored) return false;
  image = typed;
  return true;
}

bool TextDiffers(const DefinitionSet& set, const PageField& field, const QString& text,
                 const ConfigImage& controller, const ConfigImage& pages) {
  ConfigImage typed = pages;
  if (!StoreTypedText(set, field, text, typed)) {
    return text != ShownText(set, field, controller);
  }
  return FieldDiffers(set, field, controller, typed);
}

}  // namespace vor
