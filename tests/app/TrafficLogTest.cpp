#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <algorithm>
#include <fstream>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "app/CMainDlg.h"
#include "app/CPortCombo.h"
#include "link/HostPort.h"
#include "tests/common/PtyHostFixture.h"
#include "tests/common/RecordingNotifier.h"
#include "tests/common/WaitFor.h"

namespace veyra {
namespace {

std::vector<std::string> Lines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class TrafficLogTest : public test::SearchHostsFixture {
 protected:
  void SetUp() override {
    env.SetTimeouts(1, 250);
    SearchHostsFixture::SetUp();
  }
  void TearDown() override {
    window.reset();
    port.Close();
  }
  // A window whose file dialog answers with the log's path and counts how often it was asked.
  CMainDlg& Window() {
    window = std::make_unique<CMainDlg>(port);
    window->SetPasswordPrompt([] { return 1234; });
    window->TrafficLog().SetFileChooser([this] {
      ++asked;
      return QString::fromStdString(path);
    });
    window->show();
    test::DeliverPosted();
    return *window;
  }
  // One login exchange with the host on COM3.
  void LogIn() {
    window->PortList()->setCurrentIndex(window->PortList()->findText("COM3"));
    window->SearchButton()->click();
    test::DeliverPosted();
    ASSERT_EQ(window->LoginAccepted(), 1);
    window->OpenCloseButton()->click();  // closed again, for the next exchange
  }

  test::RecordingNotifier messages;
  HostPort port;
  std::unique_ptr<CMainDlg> window;
  std::string path = env.Dir() + "/traffic.log";
  int asked = 0;
};

TEST_F(TrafficLogTest, TheCheckedItemAppendsEachExchangesTraceLinesToTheFileChosenOnce) {
  QAction* item = Window().TrafficLog().Action();
  ASSERT_TRUE(window->SystemMenu()->actions().contains(item));
  EXPECT_EQ(item->text(), QStringLiteral("Записывать обмен в файл…"));
  ASSERT_TRUE(item->isCheckable());
  EXPECT_FALSE(item->isChecked());

  item->trigger();
  EXPECT_TRUE(item->isChecked());
  EXPECT_EQ(asked, 1);
  LogIn();
  // Every line as --trace writes it; the login went out and its answer came back.
  const std::vector<std::string> lines = Lines(path);
  const std::regex traceLine(R"(\d\d:\d\d:\d\d\.\d{3} [<>] AA( [0-9A-F]{2})+)");
  for (const std::string& line : lines) EXPECT_TRUE(std::regex_match(line, traceLine)) << line;
  const auto logged = [&](const std::string& tail) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return line.ends_with(tail); });
  };
  EXPECT_TRUE(logged("> AA 02 01 12 34 49 55")) << testing::PrintToString(lines);
  EXPECT_TRUE(logged("< AA 01 01 01 03 55")) << testing::PrintToString(lines);

  item->trigger();  // off: the next exchange leaves the file alone
  LogIn();
  EXPECT_EQ(Lines(path), lines);

  item->trigger();  // on again: the same file, appended to, no question
  EXPECT_EQ(asked, 1);
  window.reset();
  // The next start logs at once, to the file remembered.
  EXPECT_TRUE(Window().TrafficLog().Action()->isChecked());
  LogIn();
  EXPECT_GT(Lines(path).size(), lines.size() + 1);
  EXPECT_EQ(Lines(path).front(), lines.front()) << "appended to, not overwritten";
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(messages.Messages().empty());
}

}  // namespace
}  // namespace veyra
