#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <string>
#include <vector>

#include "features/alarm/CAlarmPhoneDlg.h"
#include "tests/common/BadInput.h"
#include "tests/common/CodecTestSupport.h"
#include "tests/common/DialogFixture.h"
#include "tests/common/WaitFor.h"

namespace veyra {
namespace {

using test::FrameLine;
using test::Hex;
using test::Hexes;
using test::Silent;

const std::string kClosing = "Сбой при сохранении телефонных номеров!";

class AlarmPhoneDlgTest : public test::DialogFixture<CAlarmPhoneDlg> {
 protected:
  void Tick(int slot, const QString& text) {
    dialog->CheckBox(slot)->setChecked(true);
    dialog->Field(slot)->setText(text);
  }
};

TEST_F(AlarmPhoneDlgTest, ReadFillsEveryFieldTickedOrNotAndLateFramesStillLand) {
  EXPECT_TRUE(dialog->Field(4)->isReadOnly()) << "only a ticked slot is written, so only it can be edited";
  dialog->CheckBox(4)->setChecked(true);
  EXPECT_FALSE(dialog->Field(4)->isReadOnly());
  dialog->Field(12)->setText(QStringLiteral("unread"));
  dialog->ReadButton()->click();
  ASSERT_TRUE(test::WaitFor([&] { return dialog->Field(12)->text().isEmpty(); }))
      << "slot 12's frame comes last";
  EXPECT_EQ(Hexes(host.FramesReceived()), (std::vector<std::string>{"AA 00 0C 0C 55"}));
  std::vector<std::string> fields;
  for (int slot = 1; slot <= 12; ++slot) fields.push_back(dialog->Field(slot)->text().toStdString());
  EXPECT_EQ(fields, (std::vector<std::string>{"13800138000", "3G8613912345678", "*2101", "", "", "112",
                                              "13912345678", "", "", "13800001111", "", ""}));
  // Frames long after the wait ended reach the fields on the GUI thread too.
  host.Inject(BuildFrame(Hex("03 0C 04 A5 5F")));
  host.Inject(BuildFrame(Hex("01 0C 01")));
  ASSERT_TRUE(test::WaitFor([&] { return dialog->Field(1)->text().isEmpty(); }));
  EXPECT_EQ(dialog->Field(4)->text(), QStringLiteral(":55"));
  EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(AlarmPhoneDlgTest, SaveWritesTickedSlotsInSlotOrderAndSaysNothingWhenEachIsAcknowledged) {
  Tick(7, "");
  Tick(1, "123");
  Tick(3, "3G1234");
  dialog->SaveButton()->click();
  EXPECT_EQ(Hexes(host.FramesReceived()),
            (std::vector<std::string>{"AA 03 0D 01 12 3F 62 55", FrameLine("05 0D 03 3B 12 34 FF"),
                                      FrameLine("02 0D 07 FF")}));
  EXPECT_TRUE(messages.Texts().empty());
  for (int slot : {1, 3, 7}) dialog->CheckBox(slot)->setChecked(false);
  host.ClearLog();
  dialog->SaveButton()->click();
  EXPECT_TRUE(host.FramesReceived().empty()) << "nothing ticked, nothing sent";
  EXPECT_TRUE(messages.Texts().empty());
}

// A number field takes any text: nothing may clip or filter what the codec is to judge.
TEST_F(AlarmPhoneDlgTest, ANumberThatCannotBeSentIsReportedAndTheOtherSlotsAreStillWritten) {
  Tick(1, "123");
  Tick(9, "");
  Tick(12, "12");
  const std::vector<std::string> shown{"Сбой при сохранения телефонных номеров 9!", kClosing};
  const std::vector<std::string> line{"AA 03 0D 01 12 3F 62 55", FrameLine("03 0D 0C 12 FF")};
  QLineEdit* number = dialog->Field(9);
  QPushButton* save = dialog->SaveButton();
  // clang-format off
  const test::BadInput rows[] = {
      {"a full-width digit sent as a digit", number, QStringLiteral("1２3"), test::kSet, save, shown, line},
      {"a 10,000-digit paste clipped and sent", number, test::Many('1'), test::kPasted, save, shown, line},
      {"typed letters dropped and the rest sent", number, "abc", test::kTyped, save, shown, line},
  };
  // clang-format on
  for (const auto& row : rows) test::Press(row, messages, host);
}

// A refused save is the codec's (PhoneCodec.SaveJudgesEveryTickedSlotByItsOwnReply).
TEST_F(AlarmPhoneDlgTest, NoHostOrNoReply) {
  const struct {
    const char* fault;
    bool found, save;
    hostsim::Faults faults;
    std::vector<std::string> shown;
    std::size_t sent;
  } rows[] = {
      {"read without a host sends", false, false, {}, {"3G камера не найдена!!"}, 0},
      {"save without a host sends", false, true, {}, {"3G камера не найдена!!"}, 0},
      {"unanswered read is silent", true, false, Silent(), {"Сбой при получении телефонных номеров!"}, 1},
      // clang-format off
      {"unanswered save stops at the first slot or leaves one out of the report", true, true, Silent(),
       {"Сбой при сохранения телефонных номеров 1!", "Сбой при сохранения телефонных номеров 12!", kClosing}, 2},
      // clang-format on
  };
  env.SetTimeouts(1, 200);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    host.SetFaults(row.faults);
    HostFound = row.found;
    host.ClearLog();
    messages.Clear();
    Tick(1, "1");
    Tick(12, "12");
    (row.save ? dialog->SaveButton() : dialog->ReadButton())->click();
    test::DeliverPosted();
    EXPECT_EQ(messages.Texts(), row.shown);
    EXPECT_EQ(host.FramesReceived().size(), row.sent);
    EXPECT_EQ(dialog->Field(1)->text(), QStringLiteral("1")) << "a field changed without a number frame";
  }
}

}  // namespace
}  // namespace veyra
