#pragma once

#include <QWidget>
#include <functional>
#include <optional>

#include "resources/prompter.h"

namespace vor {

// The application title: the caption of every message box.
inline constexpr const char* kAppTitle = "VOR User";

// Shows the string table's messages in standard message boxes over the window that `parent`
// returns (none before the main window is on screen).
class MessageBoxPrompter : public Prompter {
public:
  explicit MessageBoxPrompter(std::function<QWidget*()> parent = {}) : parent_(std::move(parent)) {}

  using Prompter::Ask;
  Answer Ask(int stringId, Buttons buttons, Icon icon) override;
  Answer AskWithDetail(int stringId, Buttons buttons, Icon icon, const QString& detail) override;
  Answer AskText(const QString& text, Buttons buttons, Icon icon) override;
  Answer AskTextWithDefault(const QString& text, Buttons buttons, Icon icon,
                            Answer defaultAnswer) override;
  // The box goes beside `keepVisible` rather than over the middle of the window.
  Answer AskTextBeside(const QString& text, Buttons buttons, Icon icon,
                       const QRect& keepVisible) override;

private:
  Answer Show(const QString& text, Buttons buttons, Icon icon, std::optional<Answer> defaultAnswer,
              const QString& detail = {}, std::optional<QRect> keepVisible = std::nullopt);

  std::function<QWidget*()> parent_;
};

}  // namespace vor
