#pragma once

#include <QRect>
#include <QString>

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

  // Shows `text`, composed at run time rather than taken from the string table. Prompters that
  // show nothing give the answer that lets the caller go on.
  virtual Answer AskText(const QString& text, Buttons buttons, Icon icon = Icon::Default) {
    (void)text;
    (void)icon;
    return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
  }

  // As AskText, with `defaultAnswer` the button that Enter presses (and the one to take when in
  // doubt). Prompters without a notion of a default button ask as AskText does.
  virtual Answer AskTextWithDefault(const QString& text, Buttons buttons, Icon icon,
                                    Answer defaultAnswer) {
    (void)defaultAnswer;
    return AskText(text, buttons, icon);
  }

  // As Ask, with `detail` below the message: a line of its own that the string table does not
  // hold (a message box's informative text). Prompters that show no detail ask as Ask does.
  virtual Answer AskWithDetail(int stringId, Buttons buttons, Icon icon, const QString& detail) {
    (void)detail;
    return Ask(stringId, buttons, icon);
  }

  // Asks with the buttons the string table gives for `stringId`.
  // As AskText, placed so that `keepVisible` (in screen coordinates: the field the text is about
  // and its label) stays in sight. Prompters that place nothing ask as AskText does.
  virtual Answer AskTextBeside(const QString& text, Buttons buttons, Icon icon,
                               const QRect& keepVisible) {
    (void)keepVisible;
    return AskText(text, buttons, icon);
  }

  // Asks with the buttons and icon the string table gives for `stringId`.
  Answer Ask(int stringId) {
    const StringEntry* entry = FindString(stringId);
    return entry ? Ask(stringId, entry->buttons, entry->icon)
                 : Ask(stringId, Buttons::Ok, Icon::Default);
  }
};

}  // namespace vor
