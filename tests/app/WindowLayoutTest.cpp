// Every window of the program, each page of a paged one in front in turn, as written, in English and
// in Russian: no caption, label, button or tab text may be cut, nothing may stick out of the client
// area or sit far below the caption, and in English or Russian no text of another language may be
// left. Run by ctest at scale 1 and 2. With VEYRA_SCREENSHOT_DIR set, each window is also saved as a
// picture there, as written, and in the folders en/ and ru/ (tools/screenshots.sh does this under a
// virtual X server). Last, what the catalogues make of the codecs' texts where they reach a person.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTabBar>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/CAboutDlg.h"
#include "app/CDifferencesDlg.h"
#include "app/CLoginDlg.h"
#include "app/CMainDlg.h"
#include "app/CNetworkPortDlg.h"
#include "app/TileTable.h"
#include "features/alarm/HistoryCodec.h"
#include "features/alarm/PhoneCodec.h"
#include "features/settings/CSetupPage.h"
#include "link/HostPort.h"
#include "session/LoginCodec.h"
#include "tests/common/LanguageOfText.h"
#include "tests/common/LanguageScope.h"
#include "tests/common/RecordingNotifier.h"
#include "tests/common/TestEnvironment.h"
#include "tests/common/WaitFor.h"
#include "ui/CCaptionButton.h"
#include "ui/CMessageDialog.h"
#include "ui/CPagedDialog.h"
#include "ui/CTabCtrlEx.h"
#include "ui/QtNotifier.h"
#include "ui/QtText.h"
#include "ui/Translation.h"

namespace veyra {
namespace {

std::string Describe(const QWidget* widget, const QString& text) {
  return std::string(widget->metaObject()->className()) + " \"" + text.toStdString() + "\"";
}

// What is wrong with the window as it is on screen now; empty when nothing.
std::vector<std::string> LayoutFaults(CDialogBase& window) {
  std::vector<std::string> faults;
  if (!window.TitleShownWhole()) faults.push_back("caption cut: " + window.windowTitle().toStdString());
  const QRect client = window.ClientRect();
  int topmost = client.bottom();
  for (QWidget* child : window.findChildren<QWidget*>()) {
    if (!child->isVisibleTo(&window) || child->window() != &window) continue;
    if (qobject_cast<CCaptionButton*>(child)) continue;
    const QRect box(child->mapTo(&window, QPoint(0, 0)), child->size());
    if (child->parentWidget() == &window) {
      if (!client.contains(box))
        faults.push_back("outside the client area: " + Describe(child, child->objectName()));
      topmost = std::min(topmost, box.top());
    }
    if (auto* label = qobject_cast<QLabel*>(child); label && !label->text().isEmpty()) {
      const bool cut = label->wordWrap() ? label->heightForWidth(label->width()) > label->height()
                                         : label->sizeHint().width() > label->width();
      if (cut) faults.push_back("label cut: " + Describe(label, label->text()));
    }
    if (auto* button = qobject_cast<QAbstractButton*>(child); button && !button->text().isEmpty()) {
      if (button->sizeHint().width() > button->width())
        faults.push_back("button cut: " + Describe(button, button->text()));
    }
    if (auto* tabs = qobject_cast<QTabBar*>(child)) {
      for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabRect(i).width() < tabs->fontMetrics().horizontalAdvance(tabs->tabText(i)) + 8 ||
            tabs->tabRect(i).right() > tabs->width())
          faults.push_back("tab cut: " + Describe(tabs, tabs->tabText(i)));
    }
  }
  if (topmost - client.top() > 24)
    faults.push_back("content starts " + std::to_string(topmost - client.top()) + " px below the caption");
  return faults;
}

using Foreign = bool (*)(const QString&);

void CheckModel(const QAbstractItemModel* model, const QString& where, Foreign foreign, QStringList& faults) {
  if (!model) return;
  for (int column = 0; column < model->columnCount(); ++column)
    for (const Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical})
      if (const QString text = model->headerData(column, orientation).toString(); foreign(text))
        faults << where + QStringLiteral(" header: ") + text;
  for (int row = 0; row < model->rowCount(); ++row)
    for (int column = 0; column < model->columnCount(); ++column)
      for (const int role : {Qt::DisplayRole, Qt::ToolTipRole})
        if (const QString text = model->index(row, column).data(role).toString(); foreign(text))
          faults << where + QStringLiteral(" item: ") + text;
}

// Every text of the window a person can read: caption, labels, buttons, group titles, fields,
// list and table items with their headers, tabs, menu entries and tooltips, pages behind others included.
QStringList UntranslatedTexts(QWidget& window, Foreign foreign) {
  QStringList faults;
  const QString name = QString::fromLatin1(window.metaObject()->className());
  auto check = [&](const QString& text, const QString& what) {
    if (foreign(text)) faults << name + QLatin1Char(' ') + what + QStringLiteral(": ") + text;
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
      CheckModel(view->model(), name + QLatin1Char(' ') + kind, foreign, faults);
    if (auto* tabs = qobject_cast<QTabBar*>(widget))
      for (int i = 0; i < tabs->count(); ++i) check(tabs->tabText(i) + tabs->tabToolTip(i), kind);
    if (auto* menu = qobject_cast<QMenu*>(widget))
      for (const QAction* action : menu->actions()) check(action->text() + action->toolTip(), kind);
  }
  return faults;
}

using test::LanguageScope;

TEST(WindowLayoutTest, NoTextIsCutAndContentSitsRightBelowTheCaption) {
  test::TestEnvironment env;
  test::RecordingNotifier messages;
  HostPort port;
  const QString shots = qEnvironmentVariable("VEYRA_SCREENSHOT_DIR");
  if (!shots.isEmpty()) QDir().mkpath(shots);
  const struct {
    Language language;
    const char* folder;  // of the pictures
    Foreign foreign;     // a text of another language; null where the texts stay as written
  } languages[] = {{Language::Original, "", nullptr},
                   {Language::English, "/en", &test::ForeignToEnglish},
                   {Language::Russian, "/ru", &test::ForeignToRussian}};
  for (const auto& [language, folder, foreign] : languages) {
    LanguageScope scope(language);
    SCOPED_TRACE(folder);
    const QString pictures = shots.isEmpty() ? QString() : shots + QLatin1String(folder);
    if (!pictures.isEmpty()) QDir().mkpath(pictures);
    QStringList untranslated;
    // Each page in front in turn.
    const auto check = [&](CDialogBase& window, const QString& name) {
      auto* paged = qobject_cast<CPagedDialog*>(&window);
      for (int page = 0; page < (paged ? paged->Tabs()->count() : 1); ++page) {
        if (paged) paged->Tabs()->setCurrentIndex(page);
        const QString shot = paged ? name + QStringLiteral("-page%1").arg(page + 1) : name;
        window.show();
        test::DeliverPosted();
        for (const std::string& fault : LayoutFaults(window))
          ADD_FAILURE() << shot.toStdString() << ": " << fault;
        if (!pictures.isEmpty())
          window.grab().save(pictures + QLatin1Char('/') + shot + QStringLiteral(".png"));
      }
      if (foreign) untranslated << UntranslatedTexts(window, foreign);
    };
    {
      CMainDlg main(port);
      main.SetStatus(session::NotFoundStatus(session::kAutoPortText));  // as a search that found nothing
      check(main, QStringLiteral("main"));
      main.SetStatus(session::FoundStatus("COM33"));  // the longest status
      check(main, QStringLiteral("main"));
      // A network port's URL, unbroken by blanks, as long as an IPv4 one gets.
      main.SetStatus(session::FoundStatus("rfc2217://192.168.100.200:65535"));
      check(main, QStringLiteral("main-network"));
      for (int i = 0; i < kTileCount; ++i) {
        const TileRow& row = Tiles()[static_cast<std::size_t>(i)];
        if (row.open) check(*row.open(&main, port), QStringLiteral("tile%1").arg(i + 1));
      }
      // The settings window is laid out while its signal reads "not read"; a read puts in the
      // reading in words with its code, which once pushed the fields over their labels.
      {
        const std::unique_ptr<CDialogBase> settings = Tiles()[0].open(&main, port);
        QString longest;
        for (int code = 0; code < 256; ++code) {
          const QString shown = CSetupPage::SignalShown(static_cast<std::uint8_t>(code));
          if (shown.size() > longest.size()) longest = shown;
        }
        settings->findChild<CSetupPage*>()->SignalLabel()->setText(longest);
        check(*settings, QStringLiteral("tile1-signal-read"));
      }
      CDifferencesDlg differences(QStringLiteral("/home/installer/backups/host-2024-05-01.ini"),
                                  {{"setup.record_alarm", "on", "off"},
                                   {"timers.group2_disarm", "daily,08:30", "off,00:00"},
                                   {"phones.voice1", "", "84951234567"}},
                                  &main);
      check(differences, QStringLiteral("differences"));
    }
    CLoginDlg login;
    check(login, QStringLiteral("login"));
    CNetworkPortDlg network;
    network.OkButton()->click();  // the empty field refused: the longest text it shows
    check(network, QStringLiteral("network-port"));
    CAboutDlg about;
    check(about, QStringLiteral("about"));
    // A box and a question, as the notifier builds them: one with a detail, one with the longest
    // question the program asks.
    CMessageDialog box(QMessageBox::Critical, TrText("Failure!"), TrText(std::string(kLineLostText)),
                       CMessageDialog::Kind::Message);
    box.setInformativeText(TrText("Час постановки: от 0 до 23."));
    check(box, QStringLiteral("box"));
    CMessageDialog question(QMessageBox::Question, QtNotifier::ApplicationName(),
                            TrText(std::string(alarm::kHistoryEraseQuestionText)),
                            CMessageDialog::Kind::Question);
    check(question, QStringLiteral("question"));
    EXPECT_TRUE(untranslated.isEmpty()) << untranslated.join(QLatin1Char('\n')).toStdString();
  }
}

// What the notifier, a status line or a table cell makes of a codec's text, in each language.
TEST(TranslationTest, CodecTextsAreTranslatedWhereTheyReachAPersonAndOnlyWithTheCatalogue) {
  const struct {
    const char* expect;
    std::string text;
    const char* english;
    const char* russian;  // null: as written
  } rows[] = {
      {"a message is translated", std::string(kLineLostText), "Connection to the host lost!", nullptr},
      {"a Chinese caption is translated", "错误！", "Error!", "Ошибка!"},
      {"a text built around a value keeps the value", alarm::PhoneSlotFailureText(3),
       "Saving telephone number 3 failed!", "Сбой при сохранении телефонного номера 3!"},
      {"a refused number's character is kept in its detail", alarm::PhoneRefusalDetail("12-3"),
       "«-» cannot be stored in a number: only digits, * and G can.", nullptr},
      {"a blank in a refused number is named in the language", alarm::PhoneRefusalDetail("1 2"),
       "A blank cannot be stored in a number: only digits, * and G can.", nullptr},
      {"a status line's port is translated with it", session::NotFoundStatus(session::kAutoPortText),
       "Auto 3G camera not found!", "Авто: 3G-камера не найдена!"},
      {"a status line's port is kept", session::FoundStatus("COM33"), "COM33 Successful to find main host!",
       "COM33: 3G-камера найдена!"},
      {"a text unknown to the catalogue is kept", "COM7", "COM7", nullptr},
  };
  for (const Language language : {Language::English, Language::Original, Language::Russian}) {
    LanguageScope scope(language);
    for (const auto& row : rows) {
      SCOPED_TRACE(row.expect);
      const char* translated = language == Language::English   ? row.english
                               : language == Language::Russian ? row.russian
                                                               : nullptr;
      EXPECT_EQ(TrText(row.text), translated ? QString::fromUtf8(translated) : ToQt(row.text));
    }
  }
  // A box's text, caption and detail each go through the catalogue; as written they are QtNotifier's.
  LanguageScope english(Language::English);
  QtNotifier notifier;
  QString shown, caption, detail;
  QObject::connect(&notifier, &QtNotifier::BoxShown, [&](CMessageDialog* box) {
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
