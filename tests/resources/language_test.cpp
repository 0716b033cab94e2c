// Which language the programs speak: --lang first, then the user's preferred UI language.
#include "resources/language.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "resources/string_table.h"

namespace vor {
namespace {

TEST(LanguageTest, TheLangOptionIsFoundInBothSpellingsAndTheLastOneCounts) {
  struct Case {
    QStringList arguments;
    std::optional<QString> expected;
  };
  const Case cases[] = {
      {{"vor-user"}, std::nullopt},
      {{"vor-user", "--lang", "zh_CN"}, QString("zh_CN")},
      {{"vor-user", "--lang=en", "--help"}, QString("en")},
      {{"vor-cli", "--lang=en", "read", "--lang", "zh_CN"}, QString("zh_CN")},
      {{"vor-user", "--lang"}, std::nullopt},  // the parser reports the missing value
      {{"vor-cli", "--", "--lang=zh_CN"}, std::nullopt},
      {{"--lang=zh_CN"}, std::nullopt},  // the program's own name is not an option
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LanguageArgument(c.arguments), c.expected) << c.arguments.join(' ').toStdString();
  }
}

TEST(LanguageTest, SimplifiedChineseLocalesGetChineseEveryOtherLocaleEnglish) {
  const std::pair<QStringList, QString> cases[] = {
      {{"zh-CN"}, "zh_CN"},
      {{"zh-Hans-CN", "zh-CN"}, "zh_CN"},
      {{"zh-SG"}, "zh_CN"},
      {{"zh"}, "zh_CN"},
      {{"zh-TW"}, "en"},
      {{"zh-Hant-HK"}, "en"},
      {{"en-US", "zh-CN"}, "en"},  // the first preference decides
      {{"de-DE"}, "en"},
      {{"C"}, "en"},
      {{}, "en"},
  };
  for (const auto& [uiLanguages, expected] : cases) {
    EXPECT_EQ(LanguageForLocale(uiLanguages), expected) << uiLanguages.join(' ').toStdString();
  }
}

TEST(LanguageTest, OnlyKnownLanguagesAreAcceptedForTheOption) {
  EXPECT_TRUE(LanguageOptionError("en").isEmpty());
  EXPECT_TRUE(LanguageOptionError("zh_CN").isEmpty());
  for (const char* refused : {"", "zh", "zh-CN", "de", "EN"}) {
    EXPECT_FALSE(LanguageOptionError(refused).isEmpty()) << refused;
  }
}

TEST(LanguageTest, TheChineseCatalogueIsCarriedAndItsEndBringsEnglishBack) {
  {
    Translation chinese(kChinese);
    ASSERT_TRUE(chinese.loaded());
    chinese.Install();
    EXPECT_EQ(LoadString(kMsgSureToExit), QString::fromUtf8("确定退出吗？"));
  }
  EXPECT_EQ(LoadString(kMsgSureToExit), "Sure to exit?");
  Translation english(kEnglish);
  EXPECT_TRUE(english.loaded());
  english.Install();
  EXPECT_EQ(LoadString(kMsgSureToExit), "Sure to exit?");
}

}  // namespace
}  // namespace vor
