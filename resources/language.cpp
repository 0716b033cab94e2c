#include "resources/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <utility>

namespace vor {

std::optional<QString> LanguageArgument(const QStringList& arguments) {
  const QString option = QStringLiteral("--lang");
  std::optional<QString> language;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (argument == u"--") break;
    if (argument == option) {
      // A missing value is left to the command line parser, which names the mistake.
      if (i + 1 < arguments.size()) language = arguments[++i];
    } else if (argument.startsWith(option + u'=')) {
      language = argument.mid(option.size() + 1);
    }
  }
  return language;
}

bool IsKnownLanguage(const QString& language) {
  return language == QLatin1String(kEnglish) || language == QLatin1String(kChinese);
}

QString LanguageForLocale(const QStringList& uiLanguages) {
  if (uiLanguages.isEmpty()) return QString::fromLatin1(kEnglish);
  const QLocale preferred(uiLanguages.first());
  const bool chinese = preferred.language() == QLocale::Chinese &&
                       preferred.script() != QLocale::TraditionalHanScript;
  return QString::fromLatin1(chinese ? kChinese : kEnglish);
}

QString ChooseLanguage(const std::optional<QString>& requested) {
  return requested ? *requested : LanguageForLocale(QLocale::system().uiLanguages());
}

QCommandLineOption LanguageOption() {
  return QCommandLineOption(
      QStringLiteral("lang"),
      QCoreApplication::translate("vor::Language",
                                  "Show the texts in LANG: en or zh_CN (default: the system's "
                                  "language)."),
      QStringLiteral("LANG"));
}

QString LanguageOptionError(const QString& value) {
  if (IsKnownLanguage(value)) return {};
  return QStringLiteral("unknown language \"%1\" for --lang: en or zh_CN").arg(value);
}

QString LanguageOptionError(const QCommandLineParser& parser, const QCommandLineOption& option) {
  return parser.isSet(option) ? LanguageOptionError(parser.value(option)) : QString();
}

std::unique_ptr<Translation> StartTranslation(const QStringList& arguments) {
  std::optional<QString> requested = LanguageArgument(arguments);
  if (requested && !IsKnownLanguage(*requested)) requested.reset();
  auto translation = std::make_unique<Translation>(ChooseLanguage(requested));
  translation->Install();
  return translation;
}

Translation::Translation(const QString& language) : language_(language) {
  if (language_ == QLatin1String(kEnglish)) return;
  loaded_ = own_.load(QStringLiteral(":/i18n/vor_%1.qm").arg(language_));
  hasQt_ = qt_.load(QStringLiteral("qtbase_%1").arg(language_),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

Translation::~Translation() { Remove(); }

void Translation::Install() {
  if (!loaded_) return;
  // The windows take their faces from the default locale (DialogFont()), so it follows the
  // language spoken, not the system's.
  if (!previousLocale_) previousLocale_ = QLocale();
  QLocale::setDefault(QLocale(language_));
  if (language_ == QLatin1String(kEnglish)) return;
  if (hasQt_) QCoreApplication::installTranslator(&qt_);
  QCoreApplication::installTranslator(&own_);
  installed_ = true;
}

void Translation::Remove() {
  if (previousLocale_) QLocale::setDefault(*std::exchange(previousLocale_, std::nullopt));
  if (!installed_ || QCoreApplication::instance() == nullptr) return;
  QCoreApplication::removeTranslator(&own_);
  if (hasQt_) QCoreApplication::removeTranslator(&qt_);
  installed_ = false;
}

}  // namespace vor
