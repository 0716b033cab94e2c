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

bool TextDiffers(const DefinitionSet& set, const PageField& field, const QString& text,
                 const ConfigImage& controller, const ConfigImage& pages) {
  const ParamDef& def = set.params[static_cast<std::size_t>(field.position)];
  const VehicleStore rule =
      field.page == PageKind::Vehicle ? VehicleStoreRule(set, def, text) : VehicleStore::Store;
  ConfigImage typed = pages;
  if (rule == VehicleStore::Store && StoreValue(def, text, typed) != StoreResult::Stored) {
    return text != ShownText(set, field, controller);
  }
  if (rule == VehicleStore::TestOnly) return text != ShownText(set, field, controller);
  return FieldDiffers(set, field, controller, typed);
}

}  // namespace vor
