// What the English catalogue makes of the codecs' texts where they reach a person; without it every
// text is as written. That no window shows a word of the sources' languages is WindowLayoutTest's.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <string>

#include "features/alarm/PhoneCodec.h"
#include "link/HostPort.h"
#include "session/LoginCodec.h"
#include "tests/common/WaitFor.h"
#include "ui/QtNotifier.h"
#include "ui/QtText.h"
#include "ui/Translation.h"

namespace veyra {
namespace {

// Loads a language for one scope and leaves the texts as written after it.
struct LanguageScope {
  explicit LanguageScope(Language language) { EXPECT_TRUE(LoadLanguage(language)); }
  ~LanguageScope() { LoadLanguage(Language::Source); }
};

// What the notifier, a status line or a table cell makes of a codec's text, in each language.
TEST(TranslationTest, CodecTextsAreTranslatedWhereTheyReachAPersonAndOnlyWithTheCatalogue) {
  const struct {
    const char* fault;
    std::string text;
    const char* english;
  } rows[] = {
      {"a message is not translated", std::string(kLineLostText), "Connection to the host lost!"},
      {"a Chinese caption is not translated", "错误！", "Error!"},
      {"a text built around a value loses the value", alarm::PhoneSlotFailureText(3),
       "Saving telephone number 3 failed!"},
      {"a refused number's character lost from its detail", alarm::PhoneRefusalDetail("12-3"),
       "«-» cannot be stored in a number: only digits, * and G can."},
      {"a blank in a refused number not named in the language", alarm::PhoneRefusalDetail("1 2"),
       "A blank cannot be stored in a number: only digits, * and G can."},
      {"a status line's port is not translated with it", session::NotFoundStatus(session::kAutoPortText),
       "Auto 3G camera not found!"},
      {"a status line's port is changed", session::FoundStatus(33), "COM33 Successful to find main host!"},
      {"a text unknown to the catalogue is changed", "COM7", "COM7"},
  };
  for (const Language language : {Language::English, Language::Source, Language::Russian}) {
    LanguageScope scope(language);
    for (const auto& row : rows) {
      SCOPED_TRACE(row.fault);
      const QString expected =
          language == Language::English ? QString::fromUtf8(row.english) : ToQt(row.text);
      EXPECT_EQ(TrText(row.text), expected);
    }
  }
  // A box's text, caption and detail each go through the catalogue; as written they are QtNotifier's.
  LanguageScope english(Language::English);
  QtNotifier notifier;
  QString shown, caption, detail;
  QObject::connect(&notifier, &QtNotifier::BoxShown, [&](QMessageBox* box) {
    shown = box->text();
    caption = box->windowTitle();
    detail = box->informativeText();
    box->close();
  });
  notifier.Show({std::string(kLineLostText), "错误", false, Icon::None, "Час снятия: от 0 до 23."});
  ASSERT_TRUE(test::WaitFor([&] { return !shown.isEmpty(); }));
  EXPECT_EQ(shown, QStringLiteral("Connection to the host lost!"));
  EXPECT_EQ(caption, QStringLiteral("Error"));
  EXPECT_EQ(detail, QStringLiteral("Disarm hour: from 0 to 23."));
}

}  // namespace
}  // namespace veyra
