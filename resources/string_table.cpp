#include "resources/string_table.h"

#include <QCoreApplication>
#include <array>

namespace vor {
namespace {

// The messages the program shows, in English; the translations supply the other languages. The
// string table's own Chinese versions (136..146) and the entries that nothing shows are not
// carried.
constexpr std::array kStrings{
    StringEntry{kMsgMotorRunningWarning,
                QT_TRANSLATE_NOOP(
                    "vor::StringTable",
                    "Warning:Prohibit doing any configuration in user program while running motor."
                    "\r\n\r\n1.\"Yes\" to continue if the motor is not running.\r\n2.\"No\" if the "
                    "motor is running. Please reconnect user program after stopping motor."),
                Buttons::YesNo},
    StringEntry{kMsgRs232SettingError,
                QT_TRANSLATE_NOOP("vor::StringTable", "RS232 setting error. "), Buttons::Ok},
    StringEntry{
        kMsgNoController,
        QT_TRANSLATE_NOOP("vor::StringTable", "Controller no power or RS232 cable disconnect."),
        Buttons::RetryCancel},
    StringEntry{kMsgReadError, QT_TRANSLATE_NOOP("vor::StringTable", "Read data error."),
                Buttons::RetryCancel},
    StringEntry{kMsgWriteError, QT_TRANSLATE_NOOP("vor::StringTable", "Error writing data."),
                Buttons::RetryCancel},
    // A success: not the exclamation mark that an OK box gets by default.
    StringEntry{kMsgWriteSuccess, QT_TRANSLATE_NOOP("vor::StringTable", "Written to success."),
                Buttons::Ok, Icon::Information},
    StringEntry{kMsgSureToExit, QT_TRANSLATE_NOOP("vor::StringTable", "Sure to exit?"),
                Buttons::OkCancel},
    StringEntry{kMsgUnsupportedModel,
                QT_TRANSLATE_NOOP("vor::StringTable",
                                  "Does not support this model, please choose the right software."),
                Buttons::Ok},
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
  return entry ? QCoreApplication::translate("vor::StringTable", entry->text) : QString();
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
