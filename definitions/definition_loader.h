#pragma once

#include "definitions/definition_set.h"
#include "definitions/script_catalogue.h"
#include "link/config_image.h"
#include "resources/prompter.h"

namespace vor {

// Recognises the model from the image's identification fields, parses its parameter and
// live-data scripts into `set`, and derives the page boundaries, the voltage-class limits of
// "Low Volt" and "Over Volt" and SpecialVersionFlag.
//
// Returns true when both scripts were loaded. Returns false after asking message 157 through
// `prompter` when no row of the model table holds, when a selected script cannot be found or when
// it holds more records than the tables do; `set` then keeps what it held except that paramCount
// is 0.
bool LoadDefinitions(const ConfigImage& image, DefinitionSet& set, Prompter& prompter);

// As above, taking the scripts from `scripts` instead of the carried ones.
bool LoadDefinitions(const ConfigImage& image, DefinitionSet& set, Prompter& prompter,
                     const ScriptSource& scripts);

}  // namespace vor
