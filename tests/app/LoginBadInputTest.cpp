// Bad input in the password window: whatever the field holds is read as the login's number and
// sent; the host's verdict is what the user sees.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "app/CLoginDlg.h"
#include "app/CMainDlg.h"
#include "link/HostPort.h"
#include "tests/common/BadInput.h"
#include "tests/common/PtyHostFixture.h"

namespace veyra {
namespace {

using test::FrameLine;
using test::kPasted;
using test::kSet;
using test::kTyped;
using test::Many;

class LoginBadInputTest : public test::PtyHostFixture {
 protected:
  void SetUp() override {
    env.SetTimeouts(1, 250);
    PtyHostFixture::SetUp();
  }
  void TearDown() override {
    window.reset();
    port.Close();
  }

  test::RecordingNotifier messages;
  HostPort port;
  std::unique_ptr<CMainDlg> window;
};

TEST_F(LoginBadInputTest, TheFieldIsReadAsANumberAndTheHostJudgesIt) {
  CLoginDlg login;
  window = std::make_unique<CMainDlg>(port);
  window->SetPasswordPrompt([&login] { return login.Password(); });
  window->SetSearchPauses(10, 50);
  window->show();
  test::DeliverPosted();
  QLineEdit* field = login.Field();
  EXPECT_EQ(field->echoMode(), QLineEdit::Password) << "the password shown as typed";
  QPushButton* search = window->SearchButton();
  const std::string wrong = "Неверный пароль!!";
  const std::string zero = "AA 02 01 00 00 03 55", accepted = "AA 02 01 12 34 49 55";
  // clang-format off
  const test::BadInput rows[] = {
      {"an empty field logs in with 0", field, "", kSet, search, {wrong}, {zero}},
      {"blanks log in with 0", field, "    ", kSet, search, {wrong}, {zero}},
      {"blanks around the password", field, " 1234 ", kSet, search, {}, {accepted}},
      {"typed", field, "1234", kTyped, search, {}, {accepted}},
      {"a fifth digit", field, "12345", kSet, search, {wrong}, {FrameLine("02 01 C3 45")}},
      {"a 10,000-digit paste", field, Many('1'), kPasted, search, {wrong}, {FrameLine("02 01 71 11")}},
      {"letters after the digits", field, "12ab", kTyped, search, {wrong}, {FrameLine("02 01 00 12")}},
      {"Cyrillic", field, test::kCyrillic, kSet, search, {wrong}, {zero}},
      {"emoji", field, test::kEmoji, kSet, search, {wrong}, {zero}},
  };
  // clang-format on
  for (const auto& row : rows) test::Press(row, messages, host);
}

}  // namespace
}  // namespace veyra
