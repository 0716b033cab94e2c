#pragma once

// The unwritten changes: what the pages hold that the controller does not. The window marks
// changed fields, counts them and lists them from here; everything is judged as Compare judges
// it, by the pages' own formatting.

#include <QString>

#include "definitions/definition_set.h"
#include "files/image_compare.h"
#include "link/config_image.h"
#include "pages/page_fields.h"

namespace vor {

// The changes between the controller's image (as last read, or as last written) and the pages'
// image: per change, `first` is what the page shows for the controller's value and `second`
// what it shows now. Count() is the number the window shows.
ImageDifferences UnwrittenChanges(const DefinitionSet& set, const ConfigImage& controller,
                                  const ConfigImage& pages);

// Whether the box or field `field` holds a stored change (for its mark when the page is shown).
bool FieldChanged(const DefinitionSet& set, const PageField& field, const ConfigImage& controller,
                  const ConfigImage& pages);

// Whether the text `text`, typed into the field `field` and not yet stored, makes a change: what
// the page's store pass would write for it differs from the controller's value. A text the store
// pass would refuse (out of range) or never writes (an edition code) makes a change when it is
// not the text the page shows for the controller's value. A text the page leaves alone (an empty
// "a" field) keeps what the pages hold. Not for boxes: a click is stored at once.
bool TextDiffers(const DefinitionSet& set, const PageField& field, const QString& text,
                 const ConfigImage& controller, const ConfigImage& pages);

// For the tooltip "On the controller: 54": ShownText(set, field, controller), in page_fields.h.

}  // namespace vor
