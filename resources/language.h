#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTranslator>
#include <memory>
#include <optional>

namespace vor {

// The languages the programs speak. English is the source language and needs no catalogue.
inline constexpr char kEnglish[] = "en";
inline constexpr char kChinese[] = "zh_CN";

// The value of "--lang X" or "--lang=X" in `arguments` (the program name first); nullopt when the
// option is absent. Looked at before the command line is parsed, so that --help already speaks it.
std::optional<QString> LanguageArgument(const QStringList& arguments);

// True for the languages above.
bool IsKnownLanguage(const QString& language);

// The language for a user whose preferred UI languages are `uiLanguages` (as QLocale gives them,
// most preferred first): Simplified Chinese for Chinese other than the traditional script,
// English for everything else.
QString LanguageForLocale(const QStringList& uiLanguages);

// The language to speak: `requested` when given (already checked with IsKnownLanguage), the
// system's otherwise.
QString ChooseLanguage(const std::optional<QString>& requested);

// The --lang option of the programs' command lines, described in the current language.
QCommandLineOption LanguageOption();

// Why `value` of --lang is refused; empty for a known language.
QString LanguageOptionError(const QString& value);
// Why the --lang of a parsed command line is refused; empty when it is known or absent.
QString LanguageOptionError(const QCommandLineParser& parser, const QCommandLineOption& option);

// The catalogues of one language, the program's own and Qt's (standard buttons, file dialogs,
// --help headings), installed into the running application, and the language's locale as the
// default QLocale, which picks the windows' faces. Qt's catalogue is taken from Qt's
// translations folder when it is there; without it those few texts stay English. Removing it
// restores the default locale it found.
class Translation {
public:
  explicit Translation(const QString& language);
  ~Translation();
  Translation(const Translation&) = delete;
  Translation& operator=(const Translation&) = delete;

  // Installs the catalogues into the current QCoreApplication and sets the default locale; call
  // again for a new application.
  void Install();

  const QString& language() const { return language_; }
  // Whether the program's own catalogue loaded (always, for English: it has none).
  bool loaded() const { return loaded_; }

private:
  void Remove();

  QString language_;
  std::optional<QLocale> previousLocale_;
  bool loaded_ = true;
  QTranslator own_;
  QTranslator qt_;
  bool hasQt_ = false;
  bool installed_ = false;
};

// The translation a program starts with: the language of a valid --lang in `arguments`, the
// system's otherwise (a refused --lang is reported by the command line parser later).
std::unique_ptr<Translation> StartTranslation(const QStringList& arguments);

}  // namespace vor
