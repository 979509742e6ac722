// The main window's backup entries on a simulated host, the file dialog answered by the test: what
// each entry shows, asks, writes to the file and sends to the host.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <fstream>
#include <sstream>

#include "app/CDifferencesDlg.h"
#include "app/CMainDlg.h"
#include "backup/BackupFile.h"
#include "hostsim/SettingsState.h"
#include "tests/common/CodecTestSupport.h"
#include "tests/common/LinkHarness.h"
#include "tests/common/MainWindowParts.h"
#include "tests/common/ScratchDir.h"
#include "tests/common/WaitFor.h"
#include "ui/CGridCtrl.h"

namespace veyra {
namespace {

using test::Hex;

class BackupActionsTest : public test::LinkHarness {
 protected:
  void SetUp() override {
    LinkHarness::SetUp();
    env.SetTimeouts(3, 200);
    window = std::make_unique<CMainDlg>(port);
    ASSERT_EQ(port.OpenCom(kCom), 1);
    HostFound = 1;
  }
  void TearDown() override {
    window.reset();
    HostFound = 0;
    LinkHarness::TearDown();
  }
  // Chooses the entry from the window's system menu, the file dialog answering with the path.
  void Choose(const QString& entry, const std::string& path) {
    Parts(*window).Backup().SetFileChooser(
        [path](CBackupActions::FileUse) { return QString::fromStdString(path); });
    for (QAction* action : window->SystemMenu()->actions())
      if (action->text() == entry) return action->trigger();
    ADD_FAILURE() << "no entry " << entry.toStdString();
  }
  std::uint8_t SirenMinutes() {
    const auto lock = host.Lock();
    return host.Host().Settings().Setup().sirenMinutes;
  }

  static std::string RowText(const CGridCtrl* grid, int row) {
    QStringList cells;
    for (int column = 0; column < grid->GetColumnCount(); ++column) cells << grid->GetItemText(row, column);
    return cells.join('\t').toStdString();
  }

  test::ScratchDir dir;
  std::unique_ptr<CMainDlg> window;
};

TEST_F(BackupActionsTest, EntriesSaveCompareAndRestore) {
  const std::string file = dir.Path("host.ini");
  const std::string damaged = dir.Path("damaged.ini");
  struct Row {
    const char* expect;
    QString entry;
    std::string path;
    bool yes;
    const char* before;           // a setup record the host is given first, or null
    std::string shown;            // the one message, or empty for none
    std::size_t frames;           // commands the host received
    std::uint8_t siren;           // the host's siren minutes after
    const char* table = nullptr;  // the differences' first row, cells joined by tabs, or null for none
  } rows[] = {
      {"save writes the file", CBackupActions::SaveText(), file, false, nullptr,
       "Конфигурация сохранена в " + file + " (датчиков: ", 4, 3},
      {"a cancelled dialog leaves all alone", CBackupActions::RestoreText(), "", true, nullptr, "", 0, 3},
      {"an equal host reported equal", CBackupActions::CompareText(), file, false, nullptr,
       "Конфигурация 3G камеры совпадает с файлом.", 3, 3},
      {"a difference named in words", CBackupActions::CompareText(), file, false, "06 04 26 09 05 1E 0F 01",
       "", 3, 9, "Настройки системы\tДлительность сирены, минут\t3\t9"},
      {"restore asks before writing", CBackupActions::RestoreText(), file, false, nullptr, "", 0, 9},
      {"a damaged file refused, nothing written", CBackupActions::RestoreText(), damaged, true, nullptr,
       "Файл " + damaged +
           " не принят, строка 7: [setup] siren_minutes '256': takes a whole number from 0 to 255",
       0, 9},
      {"restore summarised", CBackupActions::RestoreText(), file, true, nullptr,
       "Конфигурация записана: подтверждено 16 из 16.\nДатчики не восстанавливаются: их нужно привязать на "
       "месте.",
       16, 3},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.expect);
    if (row.before) {
      const auto lock = host.Lock();
      host.Host().Handle(BuildFrame(Hex(row.before)));
    }
    if (row.path == damaged) {
      std::stringstream text;
      text << std::ifstream(file).rdbuf();
      std::string bad = text.str();
      bad.replace(bad.find("siren_minutes=3"), 15, "siren_minutes=256");
      dir.Write("damaged.ini", bad);
    }
    messages.AnswerYes(row.yes);
    const std::size_t asked = messages.Questions().size();
    host.ClearLog();
    Choose(row.entry, row.path);
    const auto texts = messages.Texts();
    if (row.shown.empty()) {
      EXPECT_TRUE(texts.empty());
    } else {
      ASSERT_EQ(texts.size(), 1u);
      EXPECT_EQ(texts[0].rfind(row.shown, 0), 0u) << texts[0];
    }
    EXPECT_EQ(host.FramesReceived().size(), row.frames);
    EXPECT_EQ(SirenMinutes(), row.siren);
    // Only a restore of a file that was accepted asks, and it asks before it sends anything.
    const bool asks = row.entry == CBackupActions::RestoreText() && !row.path.empty() && row.path != damaged;
    EXPECT_EQ(messages.Questions().size(), asked + (asks ? 1 : 0));
    CDifferencesDlg* differences = Parts(*window).Backup().Differences();
    ASSERT_EQ(differences != nullptr, row.table != nullptr);
    if (differences) {
      EXPECT_EQ(RowText(differences->Grid(), 1), row.table);
      differences->close();
      test::DeliverPosted();
    }
    messages.Clear();
  }
  EXPECT_EQ(port.Owner(), static_cast<HostLink*>(&Parts(*window).Link()))
      << "replies go back to the main window";
}

// A file that differs from the host in every field a restore writes: each difference one row of a
// table in the windows' words, and a window that stays on the screen, its table scrolling.
TEST_F(BackupActionsTest, ThirtyOneDifferencesScrollInATableOfWordsWithinTheScreen) {
  const std::string saved = dir.Path("saved.ini");
  Choose(CBackupActions::SaveText(), saved);
  messages.Clear();
  std::stringstream text;
  text << std::ifstream(saved).rdbuf();
  backup::BackupParse parse = backup::ParseBackupText(text.str());
  ASSERT_TRUE(parse.config) << parse.reason;
  backup::HostConfiguration& config = *parse.config;
  config.setup.flags ^= 0xFF;
  for (std::uint8_t* number : {&config.setup.sirenMinutes, &config.setup.redialCount, &config.setup.armDelay,
                               &config.setup.alarmDelay})
    ++*number;
  config.setup.mmsSize = static_cast<std::uint8_t>((config.setup.mmsSize + 1) % 3);
  for (alarm::TimedSchedule& group : config.timers)
    for (alarm::TimedTime* time : {&group.arm, &group.disarm}) time->hour = (time->hour + 1) % 24;
  for (std::size_t slot = 0; slot < config.phones.size(); ++slot)
    config.phones[slot] = "5550" + std::to_string(slot + 10);
  const std::string changed = dir.Path("changed.ini");
  dir.Write("changed.ini", backup::BackupText(config, parse.header));

  Choose(CBackupActions::CompareText(), changed);
  EXPECT_TRUE(messages.Texts().empty());
  CDifferencesDlg* differences = Parts(*window).Backup().Differences();
  ASSERT_NE(differences, nullptr);
  const CGridCtrl* grid = differences->Grid();
  ASSERT_EQ(grid->GetRowCount(), 1 + 31);
  const struct {
    const char* expect;
    int row;
    const char* area;
    const char* field;
  } rows[] = {
      {"a number of the setup named in words", 1, "Настройки системы", "Длительность сирены, минут"},
      {"the network named in words", 6, "Настройки системы", "Режим связи"},
      {"an option named in words", 13, "Настройки системы", "Запись видео/фото при тревоге"},
      {"a timer named in words", 17, "Расписания", "Вторая группа: Снятие"},
      {"a telephone number named in words", 31, "Телефонные номера", "MMS.номер 3"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    EXPECT_EQ(grid->GetItemText(row.row, CDifferencesDlg::kAreaColumn), QString::fromUtf8(row.area));
    EXPECT_EQ(grid->GetItemText(row.row, CDifferencesDlg::kFieldColumn), QString::fromUtf8(row.field));
  }
  for (int row = 1; row < grid->GetRowCount(); ++row)
    for (int column = 0; column < CDifferencesDlg::kColumnCount; ++column) {
      const QString cell = grid->GetItemText(row, column);
      EXPECT_FALSE(cell.isEmpty() || cell.contains('_') || cell == "on" || cell == "off")
          << "row " << row << " column " << column << ": " << cell.toStdString();
    }
  const QStringList onOff = {grid->GetItemText(13, CDifferencesDlg::kFileColumn),
                             grid->GetItemText(13, CDifferencesDlg::kHostColumn)};
  EXPECT_TRUE(onOff.contains("Вкл.") && onOff.contains("Выкл.")) << onOff.join(' ').toStdString();

  ASSERT_TRUE(test::WaitFor([&] { return differences->isVisible(); }));
  const QRect screen = differences->screen()->availableGeometry();
  EXPECT_LE(differences->frameGeometry().height(), screen.height()) << "a box taller than the screen";
  EXPECT_GT(grid->verticalScrollBar()->maximum(), 0)
      << "31 rows on a screen of " << screen.height() << " px and nothing to scroll";
  differences->close();
}

}  // namespace
}  // namespace veyra
