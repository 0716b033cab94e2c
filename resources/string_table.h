#pragma once

#include <QString>

namespace vor {

// Message ids of the string table. Each message has a fixed text and a fixed button set.
enum MessageId : int {
  kMsgMotorRunningWarning = 103,
  kMsgRs232SettingError = 147,
  kMsgNoController = 149,
  kMsgReadError = 151,
  kMsgWriteError = 152,
  kMsgWriteSuccess = 153,
  kMsgSureToExit = 154,
  kMsgUnsupportedModel = 157,
};

enum class Buttons { Ok, OkCancel, YesNo, RetryCancel };

// Default means the platform's choice for the button set: exclamation for OK and OK/Cancel,
// question for Yes/No, none for Retry/Cancel.
enum class Icon { Default, None, Warning, Question, Information };

struct StringEntry {
  int id;
  const char* text;  // UTF-8
  Buttons buttons;
  Icon icon = Icon::Default;  // the platform's choice unless the message needs another
};

// The entry for `id`, or nullptr when the table has no such id.
const StringEntry* FindString(int id);

// The text of message `id`; an empty string when the table has no such id.
QString LoadString(int id);

// The icon a message box shows for `icon` with `buttons`, Default resolved.
Icon ResolveIcon(Buttons buttons, Icon icon);

}  // namespace vor
