#include "mainwindow/menu_bar_marks.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QResizeEvent>

#include "resources/status_colours.h"

namespace vor {
namespace {

// Alarms in the status line's red; news in the window's own text colour.
QString StyleOf(MenuBarMarks::Mark mark) {
  switch (mark) {
    case MenuBarMarks::Mark::NoAnswer:
    case MenuBarMarks::Mark::Recording:
      return QStringLiteral("QLabel { color: %1; font-weight: bold; }").arg(kFailureColour.name());
    case MenuBarMarks::Mark::FileWritten:
    case MenuBarMarks::Mark::Count:
      break;
  }
  return QString();
}

}  // namespace

MenuBarMarks::MenuBarMarks(QMenuBar* bar) : QWidget(bar), bar_(bar) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(6, 0, 6, 0);
  row->setSpacing(16);
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    auto* label = new QLabel(this);
    label->setStyleSheet(StyleOf(static_cast<Mark>(i)));
    label->setAlignment(Qt::AlignVCenter);
    label->hide();
    row->addWidget(label);
    labels_[i] = label;
    expiry_[i].setSingleShot(true);
    connect(&expiry_[i], &QTimer::timeout, this, [this, i] { Set(static_cast<Mark>(i), {}); });
  }
  bar_->setCornerWidget(this, Qt::TopRightCorner);
}

void MenuBarMarks::Set(Mark mark, const QString& text, const QString& tip) {
  expiry_[Index(mark)].stop();
  QLabel* label = Label(mark);
  label->setToolTip(tip);
  label->setText(text);
  label->setHidden(text.isEmpty());
  // Most changes (a row count going up) keep the width: the bar is laid out anew only when not.
  if (label->sizeHint().width() != label->width()) Relayout();
}

void MenuBarMarks::SetFor(Mark mark, const QString& text, const QString& tip, int ms) {
  Set(mark, text, tip);
  expiry_[Index(mark)].start(ms);
}

void MenuBarMarks::Append(QWidget* widget) {
  widget->hide();
  layout()->addWidget(widget);
}

void MenuBarMarks::ShowWidget(QWidget* widget, bool visible) {
  const bool wasVisible = !widget->isHidden();
  widget->setVisible(visible);
  if (visible != wasVisible || (visible && widget->sizeHint().width() != widget->width())) {
    Relayout();
  }
}

void MenuBarMarks::Relayout() {
  // The bar places its corner widget when it is resized, and at no other change of the widget.
  QResizeEvent resize(bar_->size(), bar_->size());
  QCoreApplication::sendEvent(bar_, &resize);
}

}  // namespace vor
