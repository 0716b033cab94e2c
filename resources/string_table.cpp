#include "resources/string_table.h"

#include <array>

namespace vor {
namespace {

// The English messages the program shows. The Chinese versions (136..146) and the entries that
// nothing shows are not carried.
constexpr std::array kStrings{
    StringEntry{kMsgMotorRunningWarning,
                "Warning:Prohibit doing any configuration in user program while running motor."
                "\r\n\r\n1.\"Yes\" to continue if the motor is not running.\r\n2.\"No\" if the "
                "motor is running. Please reconnect user program after stopping motor.",
                Buttons::YesNo},
    StringEntry{kMsgRs232SettingError, "RS232 setting error. ", Buttons::Ok},
    StringEntry{kMsgNoController, "Controller no power or RS232 cable disconnect.",
                Buttons::RetryCancel},
    StringEntry{kMsgReadError, "Read data error.", Buttons::RetryCancel},
    StringEntry{kMsgWriteError, "Error writing data.", Buttons::RetryCancel},
    StringEntry{kMsgWriteSuccess, "Written to success.", Buttons::Ok},
    StringEntry{kMsgSureToExit, "Sure to exit?", Buttons::OkCancel},
    StringEntry{kMsgUnsupportedModel,
                "Does not support this model, please choose the right software.", Buttons::Ok},
};

}  // namespace

const StringEntry* FindString(int id) {
  for (const StringEntry& entry : kStrings) {
    if (entry.id == id) return &entry;
  }
  return nullptr;
}

QString LoadString(int id) {
  const StringEntry* entry = FindString(id);
  return entry ? QString::fromUtf8(entry->text) : QString();
}

Icon ResolveIcon(Buttons buttons, Icon icon) {
  if (icon != Icon::Default) return icon;
  switch (buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel:
      return Icon::Warning;
    case Buttons::YesNo:
      return Icon::Question;
    case Buttons::RetryCancel:
      return Icon::None;
  }
  return Icon::None;
}

}  // namespace vor
