#pragma once

#include "resources/string_table.h"

namespace vor {

enum class Answer { Ok, Cancel, Yes, No, Retry };

// Shows a message of the string table and returns the user's answer. The desktop program shows
// a message box, vor-cli prints the text to stderr, tests answer from a script.
class Prompter {
public:
  virtual ~Prompter() = default;

  // `stringId` names the text in the string table; `buttons` and `icon` are what the box offers.
  virtual Answer Ask(int stringId, Buttons buttons, Icon icon = Icon::Default) = 0;

  // Asks with the buttons the string table gives for `stringId`.
  Answer Ask(int stringId) {
    const StringEntry* entry = FindString(stringId);
    return Ask(stringId, entry ? entry->buttons : Buttons::Ok, Icon::Default);
  }
};

}  // namespace vor
