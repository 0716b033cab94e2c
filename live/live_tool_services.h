#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

class QSettings;

namespace vor {

class Prompter;

// The file the user chose to save to, starting from `suggestedPath`; empty when they cancelled.
// `filter` is in QFileDialog's form ("CSV files (*.csv)").
using AskSaveFileName = std::function<QString(const QString& caption, const QString& filter,
                                              const QString& suggestedPath)>;

// What the live tools use of the world around them, handed in so that tests answer the file
// questions, keep their settings apart from the user's and set the clock.
struct LiveToolServices {
  Prompter& prompter;   // messages (a write error, a file that cannot be saved)
  QSettings& settings;  // the plot's choices, kept across runs
  AskSaveFileName askSaveFileName;
  std::function<QDateTime()> now;  // the wall clock of the fault history
};

}  // namespace vor
