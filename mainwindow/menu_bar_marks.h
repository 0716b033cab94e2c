#pragma once

#include <QTimer>
#include <QWidget>
#include <array>

class QLabel;
class QMenuBar;

namespace vor {

// The right end of the menu bar: short marks side by side for what goes on beside Read and Write,
// whose outcome is the status line's (and the caption stays the window's name): a recording that
// runs, a file just exported or saved, a controller that has stopped answering. Each mark is a
// label of its own with its tooltip, hidden while it has no text; the bar makes room as marks come
// and go.
class MenuBarMarks : public QWidget {
  Q_OBJECT
public:
  // The marks, from left to right.
  enum class Mark { NoAnswer, FileWritten, Recording, Count };

  // Puts the marks at the right end of `bar`, which owns them from then on.
  explicit MenuBarMarks(QMenuBar* bar);

  // Shows `text` in `mark`, with `tip` on hovering; an empty text hides the mark.
  void Set(Mark mark, const QString& text, const QString& tip = {});
  // As Set, for `ms`; then the mark is emptied, unless it was set again meanwhile.
  void SetFor(Mark mark, const QString& text, const QString& tip, int ms);

  QLabel* Label(Mark mark) const { return labels_[Index(mark)]; }

  // Puts `widget` (a mark that does more than show a text) at the right end, after the marks;
  // it is shown and hidden through ShowWidget.
  void Append(QWidget* widget);
  void ShowWidget(QWidget* widget, bool visible);

private:
  static std::size_t Index(Mark mark) { return static_cast<std::size_t>(mark); }
  // The bar lays its corner out only when asked: after a mark changed its size.
  void Relayout();

  QMenuBar* bar_;
  std::array<QLabel*, static_cast<std::size_t>(Mark::Count)> labels_{};
  std::array<QTimer, static_cast<std::size_t>(Mark::Count)> expiry_;
};

}  // namespace vor
