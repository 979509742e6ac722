#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <string>
#include <vector>

#include "features/alarm/CAlarmPhoneDlg.h"
#include "features/alarm/PhoneCodec.h"
#include "hostsim/AlarmState.h"
#include "tests/common/BadInput.h"
#include "tests/common/CodecTestSupport.h"
#include "tests/common/DialogFixture.h"
#include "tests/common/Keys.h"
#include "tests/common/SlowHost.h"
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
      {"a full-width digit refuses the number, the rest written", number, QStringLiteral("1２3"), test::kSet, save, shown, line},
      {"a 10,000-digit paste refuses the number, the rest written", number, test::Many('1'), test::kPasted, save, shown, line},
      {"typed letters refuse the number, the rest written", number, "abc", test::kTyped, save, shown, line},
  };
  // clang-format on
  for (const auto& row : rows) test::Press(row, messages, host);
}

// A host slower than the window answers both copies of the read and of each write: each slot's
// number must reach its field once, a late copy of the read must neither put the host's old number
// back over one typed since nor pass for a write's acknowledgement, and the save must say what it
// says on a host in time.
TEST_F(AlarmPhoneDlgTest, AHostSlowerThanTheWindowReadsEachSlotOnceAndSavesAsAHostInTime) {
  env.SetTimeouts(test::kSlowTimes, test::kSlowWaitMs);
  constexpr std::uint8_t kRead = 0x0C, kWrite = 0x0D;
  struct Outcome {
    std::vector<std::string> shown, fields;
    std::vector<Bytes> stored;  // each slot as the host stores it
    bool operator==(const Outcome&) const = default;
  };
  // Read, then the user types two numbers over the host's and saves.
  const auto readThenSave = [&](const hostsim::Faults& faults, int& delivered, int& readCopies) {
    {
      const auto lock = host.Lock();
      for (const auto& [slot, number] : {std::pair{1, "13800138000"}, std::pair{4, ""}})
        host.Host().Handle(BuildFrame(*alarm::PhoneWritePayload(slot, number).payload));
    }
    messages.Clear();
    host.SetFaults(faults);
    test::LineTally tally(port);
    for (int slot = 1; slot <= 12; ++slot) dialog->Field(slot)->setText(QStringLiteral("unread"));
    dialog->ReadButton()->click();
    // The user sees the whole reading before typing: slot 12's frame comes last.
    EXPECT_TRUE(test::WaitFor([&] { return dialog->Field(12)->text().isEmpty(); }));
    Tick(1, "555");
    Tick(4, "4444");
    dialog->SaveButton()->click();
    EXPECT_TRUE(tally.WaitForEveryCopysAnswer(kRead, 12)) << tally.Came(kRead) << " frames";
    EXPECT_TRUE(tally.WaitForEveryCopysAnswer(kWrite, 1)) << tally.Came(kWrite) << " frames";
    delivered = tally.Delivered(kRead);
    readCopies = tally.Sent(kRead);
    Outcome outcome{messages.Texts(), {}, {}};
    const auto lock = host.Lock();
    for (int slot = 1; slot <= 12; ++slot) {
      outcome.fields.push_back(dialog->Field(slot)->text().toStdString());
      outcome.stored.push_back(host.Host().Alarm().SlotBytes(slot));
    }
    return outcome;
  };
  int delivered = 0, readCopies = 0;
  const Outcome inTime = readThenSave({}, delivered, readCopies);
  ASSERT_EQ(inTime.fields[0], "555");
  ASSERT_EQ(delivered, 12);
  const test::SlowHost rows[] = {
      {"every copy answered late: slot 1 saved and no old number put back", false},
      {"a repeat answered at once hands each slot's number to the dialog once", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const Outcome slow = readThenSave(test::Slow(row), delivered, readCopies);
    ASSERT_GE(readCopies, 2) << "the host was not slower than the window";
    EXPECT_EQ(delivered, 12) << "each slot's number reaches the dialog once";
    EXPECT_EQ(slow.shown, inTime.shown);
    EXPECT_EQ(slow.fields, inTime.fields);
    EXPECT_EQ(slow.stored, inTime.stored);
  }
}

// A refused save is the codec's (PhoneCodec.SaveJudgesEveryTickedSlotByItsOwnReply).
TEST_F(AlarmPhoneDlgTest, NoHostOrNoReply) {
  const struct {
    const char* expect;
    bool found, save;
    hostsim::Faults faults;
    std::vector<std::string> shown;
    std::size_t sent;
  } rows[] = {
      {"a read without a host says so and sends nothing", false, false, {}, {"3G камера не найдена!!"}, 0},
      {"a save without a host says so and sends nothing", false, true, {}, {"3G камера не найдена!!"}, 0},
      {"an unanswered read is reported",
       true,
       false,
       Silent(),
       {"Сбой при получении телефонных номеров!"},
       1},
      // clang-format off
      {"an unanswered save tries every slot and reports each", true, true, Silent(),
       {"Сбой при сохранения телефонных номеров 1!", "Сбой при сохранения телефонных номеров 12!", kClosing}, 2},
      // clang-format on
  };
  env.SetTimeouts(1, 200);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
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

// The boxes speak of failures only: what a read or a save that went well did, and what the host
// did not do, stays on the window's status line.
TEST_F(AlarmPhoneDlgTest, EveryReadAndSaveSaysWhatCameOfItOnTheStatusLine) {
  env.SetTimeouts(1, 200);
  const std::string slot1 = "AA 03 0D 01 12 3F 62 55", slot3 = FrameLine("05 0D 03 3B 12 34 FF");
  const struct {
    const char* expect;
    std::vector<int> ticked;  // slot 1 gets 123, slot 3 3G1234
    bool read;                // "Проверить" rather than "Сохранить"
    hostsim::Faults faults;
    std::vector<std::string> shown, line;
    const char* status;
  } rows[] = {
      // clang-format off
      {"a save that went well says so on the status line", {1, 3}, false, {}, {}, {slot1, slot3}, "Записано номеров: 2 из 2"},
      {"a press with nothing ticked says there is nothing to write", {}, false, {}, {}, {}, "Не отмечен ни один номер: записывать нечего"},
      {"an unacknowledged write counts as not saved", {1}, false, test::ReplyingWith(BuildFrame(Hex("00 0C"))),
       {kClosing}, {slot1}, "Записано номеров: 0 из 1"},
      {"a silent host's save counts as not saved", {1}, false, Silent(),
       {"Сбой при сохранения телефонных номеров 1!", kClosing}, {slot1}, "Записано номеров: 0 из 1"},
      {"a read that changed no field still says how many came", {}, true, {}, {}, {"AA 00 0C 0C 55"}, "Прочитано номеров: 12"},
      {"a silent host's read says so once its box is closed", {}, true, Silent(),
       {"Сбой при получении телефонных номеров!"}, {"AA 00 0C 0C 55"}, "Хост не ответил"},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    for (int slot = 1; slot <= 12; ++slot) dialog->CheckBox(slot)->setChecked(false);
    for (int slot : row.ticked) Tick(slot, slot == 1 ? "123" : "3G1234");
    dialog->ShowStatus(QStringLiteral("the last row's answer"));
    host.SetFaults(row.faults);
    messages.Clear();
    host.ClearLog();
    (row.read ? dialog->ReadButton() : dialog->SaveButton())->click();
    const QString status = QString::fromUtf8(row.status);
    EXPECT_TRUE(test::WaitFor([&] { return dialog->StatusText() == status; }))
        << dialog->StatusText().toStdString();
    EXPECT_TRUE(messages.WaitFor(row.shown.size()));
    EXPECT_EQ(messages.Texts(), row.shown);
    EXPECT_EQ(Hexes(host.FramesReceived()), row.line);
    host.SetFaults({});
  }
}

// A field that ignores typing looks it: disabled until the box beside it, which says what it is
// for, is ticked; the host's number still shows in it.
TEST_F(AlarmPhoneDlgTest, AFieldIsDisabledUntilItsLabelledBoxIsTicked) {
  for (int slot = 1; slot <= 12; ++slot) {
    SCOPED_TRACE(slot);
    EXPECT_FALSE(dialog->Field(slot)->isEnabled()) << "an unticked field takes focus and looks editable";
    EXPECT_EQ(dialog->CheckBox(slot)->text(), QStringLiteral("Изменить")) << "the box is unlabelled";
  }
  test::KeyClicks(dialog->Field(2), QStringLiteral("555"));
  EXPECT_TRUE(dialog->Field(2)->text().isEmpty());
  dialog->CheckBox(2)->setChecked(true);
  EXPECT_TRUE(dialog->Field(2)->isEnabled());
  test::KeyClicks(dialog->Field(2), QStringLiteral("555"));
  EXPECT_EQ(dialog->Field(2)->text(), QStringLiteral("555"));
  dialog->CheckBox(2)->setChecked(false);
  EXPECT_FALSE(dialog->Field(2)->isEnabled()) << "untick does not lock the field again";
  dialog->Field(12)->setText(QStringLiteral("unread"));
  dialog->ReadButton()->click();
  ASSERT_TRUE(test::WaitFor([&] { return dialog->Field(12)->text().isEmpty(); }));
  EXPECT_EQ(dialog->Field(2)->text(), QStringLiteral("3G8613912345678"))
      << "a disabled field no longer shows the host's number";
}

}  // namespace
}  // namespace veyra
