// The main window's backup entries on a simulated host, the file dialog answered by the test: what
// each entry shows, asks, writes to the file and sends to the host.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <fstream>
#include <sstream>

#include "app/CMainDlg.h"
#include "hostsim/SettingsState.h"
#include "tests/common/CodecTestSupport.h"
#include "tests/common/LinkHarness.h"
#include "tests/common/ScratchDir.h"

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
    window->Backup().SetFileChooser([path](CBackupActions::FileUse) { return QString::fromStdString(path); });
    for (QAction* action : window->SystemMenu()->actions())
      if (action->text() == entry) return action->trigger();
    ADD_FAILURE() << "no entry " << entry.toStdString();
  }
  std::uint8_t SirenMinutes() {
    const auto lock = host.Lock();
    return host.Host().Settings().Setup().sirenMinutes;
  }

  test::ScratchDir dir;
  std::unique_ptr<CMainDlg> window;
};

TEST_F(BackupActionsTest, EntriesSaveCompareAndRestore) {
  const std::string file = dir.Path("host.ini");
  const std::string damaged = dir.Path("damaged.ini");
  struct Row {
    const char* fault;
    QString entry;
    std::string path;
    bool yes;
    const char* before;  // a setup record the host is given first, or null
    std::string shown;   // the one message, or empty for none
    std::size_t frames;  // commands the host received
    std::uint8_t siren;  // the host's siren minutes after
  } rows[] = {
      {"save writes no file", CBackupActions::SaveText(), file, false, nullptr,
       "Конфигурация сохранена в " + file + " (датчиков: ", 4, 3},
      {"cancelled dialog acts", CBackupActions::RestoreText(), "", true, nullptr, "", 0, 3},
      {"equal host reported different", CBackupActions::CompareText(), file, false, nullptr,
       "Конфигурация 3G камеры совпадает с файлом.", 3, 3},
      {"difference not named", CBackupActions::CompareText(), file, false, "06 04 26 09 05 1E 0F 01",
       "Отличия от файла:\nsetup.siren_minutes: в файле 3, в камере 9", 3, 9},
      {"restore writes without asking", CBackupActions::RestoreText(), file, false, nullptr, "", 0, 9},
      {"damaged file written", CBackupActions::RestoreText(), damaged, true, nullptr,
       "Файл " + damaged +
           " не принят, строка 7: [setup] siren_minutes '256': takes a whole number from 0 to 255",
       0, 9},
      {"restore not summarised", CBackupActions::RestoreText(), file, true, nullptr,
       "Конфигурация записана: подтверждено 16 из 16.\nДатчики не восстанавливаются: их нужно привязать на "
       "месте.",
       16, 3},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.fault);
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
    messages.Clear();
  }
  EXPECT_EQ(port.Owner(), static_cast<HostLink*>(&window->Link())) << "replies go back to the main window";
}

}  // namespace
}  // namespace veyra
