// The steps of the program's test script that the pictures' walk needs, on a small window of its
// own: each row a script, what it must leave behind, and the fault it catches.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>
#include <fstream>
#include <memory>
#include <ostream>

#include "app/TestScript.h"
#include "tests/common/ScratchDir.h"
#include "tests/common/WaitFor.h"
#include "ui/CMessageDialog.h"

namespace {

struct Window {
  QDialog dialog;
  QTabWidget* tabs = new QTabWidget(&dialog);
  QLineEdit* field = new QLineEdit(&dialog);
  Window() {
    // As the main window, run modal: in front again once a box in front of it closes.
    dialog.setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(&dialog);
    tabs->addTab(new QWidget, QStringLiteral("First"));
    tabs->addTab(new QWidget, QStringLiteral("Second"));
    layout->addWidget(tabs);
    layout->addWidget(field);
  }
};

struct Row {
  const char* fault;
  const char* script;
  bool question;  // a question box in front of the window when the script starts
  int tab;        // the page in front at the end
  int answer;     // how the question ended, when there was one
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.fault; }

class TestScriptTest : public testing::TestWithParam<Row> {};

TEST_P(TestScriptTest, LeavesTheWindowAsAsked) {
  const Row& row = GetParam();
  veyra::test::ScratchDir scratch;
  const std::string path = scratch.Path("script.txt");
  std::ofstream(path) << row.script << "\ntype end\n";
  Window window;
  window.dialog.show();
  window.dialog.activateWindow();
  ASSERT_TRUE(veyra::test::WaitFor([&] { return QApplication::activeWindow() == &window.dialog; }));
  std::unique_ptr<CMessageDialog> box;
  if (row.question) {
    box = std::make_unique<CMessageDialog>(QMessageBox::Question, QStringLiteral("Q"),
                                           QStringLiteral("Delete?"), CMessageDialog::Kind::Question,
                                           &window.dialog);
    box->setWindowModality(Qt::ApplicationModal);
    box->show();
  }
  qputenv("VEYRA_TEST_SCRIPT", QByteArray::fromStdString(path));
  QObject owner;
  ASSERT_TRUE(TestScript::StartFromEnvironment(&owner));
  qunsetenv("VEYRA_TEST_SCRIPT");
  ASSERT_TRUE(veyra::test::WaitFor([&] { return window.field->text() == QStringLiteral("end"); }, 10000));
  EXPECT_EQ(window.tabs->currentIndex(), row.tab);
  if (box) {
    EXPECT_EQ(box->result(), row.answer);
  }
}

// "answer" with no box in front must not wait for one; with a question in front it presses the
// button named, which is what keeps the walk from deleting anything.
INSTANTIATE_TEST_SUITE_P(
    Steps, TestScriptTest,
    testing::Values(Row{"TabStepMissingSoPagedWindowsShowOnlyTheirFirstPage", "tab Second", false, 1, 0},
                    Row{"AnswerWaitsForABoxThatNeverComes", "answer Нет\ntab Second", false, 1, 0},
                    Row{"AnswerDoesNotPressTheQuestionsNo", "answer Нет\ntab Second", true, 1,
                        QDialog::Rejected},
                    Row{"AnswerPressesAButtonOtherThanNamed", "answer Да", true, 0, QDialog::Accepted}),
    [](const testing::TestParamInfo<Row>& param) { return std::string(param.param.fault); });

// A step taken while a command waits for the host would picture the window before its answer.
TEST(TestScriptWhileBusyTest, StepWaitsUntilNoCommandIsInFlight) {
  veyra::test::ScratchDir scratch;
  const std::string path = scratch.Path("script.txt");
  std::ofstream(path) << "type busy\n";
  Window window;
  window.dialog.show();
  window.dialog.activateWindow();
  ASSERT_TRUE(veyra::test::WaitFor([&] { return QApplication::activeWindow() == &window.dialog; }));
  QApplication::setOverrideCursor(Qt::WaitCursor);
  qputenv("VEYRA_TEST_SCRIPT", QByteArray::fromStdString(path));
  QObject owner;
  ASSERT_TRUE(TestScript::StartFromEnvironment(&owner));
  qunsetenv("VEYRA_TEST_SCRIPT");
  // Several of the script's polls pass; none may act.
  EXPECT_FALSE(veyra::test::WaitFor([&] { return !window.field->text().isEmpty(); }, 1000));
  QApplication::restoreOverrideCursor();
  EXPECT_TRUE(veyra::test::WaitFor([&] { return window.field->text() == QStringLiteral("busy"); }, 10000));
}

}  // namespace
