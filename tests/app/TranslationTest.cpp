// With the English catalogue loaded no window shows a word of the sources' languages; without it
// every text is as written.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTabBar>
#include <memory>
#include <string>

#include "app/CAboutDlg.h"
#include "app/CLoginDlg.h"
#include "app/CMainDlg.h"
#include "app/TileTable.h"
#include "features/alarm/PhoneCodec.h"
#include "link/HostPort.h"
#include "session/LoginCodec.h"
#include "tests/common/RecordingNotifier.h"
#include "tests/common/TestEnvironment.h"
#include "tests/common/WaitFor.h"
#include "ui/CPictureButton.h"
#include "ui/QtNotifier.h"
#include "ui/QtText.h"
#include "ui/Translation.h"

namespace veyra {
namespace {

// Loads a language for one test and leaves the texts as written after it.
struct LanguageScope {
  explicit LanguageScope(Language language) { EXPECT_TRUE(LoadLanguage(language)); }
  ~LanguageScope() { LoadLanguage(Language::Source); }
};

bool SourceLanguage(const QString& text) {
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if ((u >= 0x0400 && u <= 0x052F) || (u >= 0x3000 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF))
      return true;
  }
  return false;
}

void CheckModel(const QAbstractItemModel* model, const QString& where, QStringList& faults) {
  if (!model) return;
  for (int column = 0; column < model->columnCount(); ++column)
    for (const Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical})
      if (const QString text = model->headerData(column, orientation).toString(); SourceLanguage(text))
        faults << where + QStringLiteral(" header: ") + text;
  for (int row = 0; row < model->rowCount(); ++row)
    for (int column = 0; column < model->columnCount(); ++column)
      for (const int role : {Qt::DisplayRole, Qt::ToolTipRole})
        if (const QString text = model->index(row, column).data(role).toString(); SourceLanguage(text))
          faults << where + QStringLiteral(" item: ") + text;
}

// Every text of the window a person can read: caption, labels, buttons, group titles, fields,
// list and table items with their headers, tabs, menu entries and tooltips, pages behind others included.
QStringList UntranslatedTexts(QWidget& window) {
  QStringList faults;
  const QString name = QString::fromLatin1(window.metaObject()->className());
  auto check = [&](const QString& text, const QString& what) {
    if (SourceLanguage(text)) faults << name + QLatin1Char(' ') + what + QStringLiteral(": ") + text;
  };
  check(window.windowTitle(), QStringLiteral("caption"));
  QList<QWidget*> widgets = window.findChildren<QWidget*>();
  widgets << &window;
  for (QWidget* widget : widgets) {
    const QString kind = QString::fromLatin1(widget->metaObject()->className());
    check(widget->toolTip(), kind + QStringLiteral(" tooltip"));
    if (auto* label = qobject_cast<QLabel*>(widget)) check(label->text(), kind);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) check(button->text(), kind);
    if (auto* group = qobject_cast<QGroupBox*>(widget)) check(group->title(), kind);
    if (auto* field = qobject_cast<QLineEdit*>(widget)) check(field->text() + field->placeholderText(), kind);
    if (auto* view = qobject_cast<QAbstractItemView*>(widget))
      CheckModel(view->model(), name + QLatin1Char(' ') + kind, faults);
    if (auto* tabs = qobject_cast<QTabBar*>(widget))
      for (int i = 0; i < tabs->count(); ++i) check(tabs->tabText(i) + tabs->tabToolTip(i), kind);
    if (auto* menu = qobject_cast<QMenu*>(widget))
      for (const QAction* action : menu->actions()) check(action->text() + action->toolTip(), kind);
  }
  return faults;
}

TEST(TranslationTest, EveryWindowInEnglishHasNoTextOfTheSourcesLanguages) {
  test::TestEnvironment env;
  test::RecordingNotifier messages;
  LanguageScope english(Language::English);
  QStringList faults;
  HostPort port;
  {
    CMainDlg main(port);
    main.SetStatus(session::NotFoundStatus(session::kAutoPortText));  // as a search that found nothing
    test::DeliverPosted();
    faults << UntranslatedTexts(main);
    for (const TileRow& row : Tiles()) {
      if (!row.open) continue;
      const std::unique_ptr<CDialogBase> dialog = row.open(&main, port);
      dialog->show();
      test::DeliverPosted();
      faults << UntranslatedTexts(*dialog);
    }
  }
  CLoginDlg login;
  faults << UntranslatedTexts(login);
  CAboutDlg about;
  faults << UntranslatedTexts(about);
  EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
}

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
  // The notifier's boxes and a tile, as written without the catalogue and in English with it.
  for (const Language language : {Language::Source, Language::English}) {
    LanguageScope scope(language);
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
    const bool english = language == Language::English;
    EXPECT_EQ(shown, english ? QStringLiteral("Connection to the host lost!")
                             : QStringLiteral("Связь с хостом потеряна!"));
    EXPECT_EQ(caption, english ? QStringLiteral("Error") : QStringLiteral("错误"));
    EXPECT_EQ(detail, english ? QStringLiteral("Disarm hour: from 0 to 23.")
                              : QStringLiteral("Час снятия: от 0 до 23."));
    test::TestEnvironment env;
    test::RecordingNotifier messages;
    HostPort port;
    CMainDlg main(port);
    EXPECT_EQ(main.TileButton(0)->text(),
              english ? QStringLiteral("System settings") : QStringLiteral("Настройки системы"));
  }
}

}  // namespace
}  // namespace veyra
