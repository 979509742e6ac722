#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "features/alarm/CAlarmPhoneDlg.h"
#include "hostsim/AlarmState.h"
#include "tests/common/CodecTestSupport.h"
#include "tests/common/DialogFixture.h"
#include "tests/common/WaitFor.h"

namespace veyra {
namespace {

using test::ReplyingWith;
using test::Silent;

using test::FrameLine;
using test::Hex;
using test::Hexes;


const std::string kClosing = "Сбой при сохранении телефонных номеров!";

// A slow reply handler: SendAndWait is back long before the handler has judged the reply, so the
// save must still read each slot's own verdict. A reply that reaches it ends the host's fault.
class SlowHandlerPhoneDlg : public CAlarmPhoneDlg {
 public:
  explicit SlowHandlerPhoneDlg(hostsim::PtyHost& host) : host_(host) {}
  void OnReply(const Bytes& sentFrame, const Bytes& receivedFrame) override {
    host_.SetFaults({});
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    CAlarmPhoneDlg::OnReply(sentFrame, receivedFrame);
  }

 private:
  hostsim::PtyHost& host_;
};

// Passes messages on to the recording sink; a message shown ends the host's fault too.
class FaultEndingNotifier final : public Notifier {
 public:
  FaultEndingNotifier(Notifier& sink, hostsim::PtyHost& host) : sink_(sink), host_(host) { SetNotifier(this); }
  ~FaultEndingNotifier() override { SetNotifier(&sink_); }
  void Show(const Message& message) override {
    host_.SetFaults({});
    sink_.Show(message);
  }

 private:
  Notifier& sink_;
  hostsim::PtyHost& host_;
};

class AlarmPhoneDlgTest : public test::LinkHarness {
 protected:
  void SetUp() override {
    LinkHarness::SetUp();
    HostFound = 1;
    Open();
  }
  void TearDown() override {
    dialog.reset();
    HostFound = 0;
    LinkHarness::TearDown();
  }
  void Open(std::unique_ptr<CAlarmPhoneDlg> opened = std::make_unique<CAlarmPhoneDlg>()) {
    dialog = std::move(opened);
    if (!port.IsOpen()) ASSERT_EQ(port.OpenCom(kCom), 1);
    dialog->SetCommn(&port);
    dialog->show();
  }
  void Tick(int slot, const QString& text) {
    dialog->CheckBox(slot)->setChecked(true);
    dialog->Field(slot)->setText(text);
  }
  std::unique_ptr<CAlarmPhoneDlg> dialog;
};

TEST_F(AlarmPhoneDlgTest, ReadFillsEveryFieldTickedOrNotAndLateFramesStillLand) {
  EXPECT_TRUE(dialog->Field(4)->isReadOnly()) << "only a ticked slot is written, so only it can be edited";
  dialog->CheckBox(4)->setChecked(true);
  EXPECT_FALSE(dialog->Field(4)->isReadOnly());
  dialog->Field(12)->setText(QStringLiteral("unread"));
  dialog->ReadButton()->click();
  ASSERT_TRUE(test::WaitFor([&] { return dialog->Field(12)->text().isEmpty(); })) << "slot 12's frame comes last";
  EXPECT_EQ(Hexes(host.FramesReceived()), (std::vector<std::string>{"AA 00 0C 0C 55"}));
  std::vector<std::string> fields;
  for (int slot = 1; slot <= 12; ++slot) fields.push_back(dialog->Field(slot)->text().toStdString());
  EXPECT_EQ(fields, (std::vector<std::string>{"13800138000", "3G8613912345678", "*2101", "", "", "112",
                                              "13912345678", "", "", "13800001111", "", ""}));
  // Frames long after the wait ended: a colon nibble, and LEN 1 emptying a slot.
  host.Inject(BuildFrame(Hex("03 0C 04 A5 5F")));
  host.Inject(BuildFrame(Hex("01 0C 01")));
  host.Inject(BuildFrame(Hex("02 0C 0D 12")));  // slot 13: no such field
  ASSERT_TRUE(test::WaitFor([&] { return dialog->Field(1)->text().isEmpty(); }));
  EXPECT_EQ(dialog->Field(4)->text(), QStringLiteral(":55"));
  EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(AlarmPhoneDlgTest, SaveWritesTickedSlotsInOrderAndRefusesNumbersThatCannotBeSent) {
  Tick(7, "");
  Tick(1, "123");
  Tick(2, "12-34");  // a character no nibble stands for
  Tick(3, "  3G1234\t");  // blanks around the number are not sent
  // "*", "G" and "g" become the nibble B past the 32nd character too.
  Tick(4, QStringLiteral("1234567890123456789012345678901234*G6g90"));
  Tick(5, "*21");
  Tick(6, QString(64, QChar('1')));  // longer than a number frame can carry
  Tick(9, QStringLiteral("1２3"));   // a full-width digit
  dialog->SaveButton()->click();
  EXPECT_EQ(Hexes(host.FramesReceived()),
            (std::vector<std::string>{
                "AA 03 0D 01 12 3F 62 55", FrameLine("05 0D 03 3B 12 34 FF"),
                FrameLine("16 0D 04 12 34 56 78 90 12 34 56 78 90 12 34 56 78 90 12 34 BB 6B 90 FF"),
                FrameLine("03 0D 05 B2 1F"), FrameLine("02 0D 07 FF")}));
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Сбой при сохранения телефонных номеров 2!",
                                                        "Сбой при сохранения телефонных номеров 6!",
                                                        "Сбой при сохранения телефонных номеров 9!", kClosing}));
  for (int slot = 1; slot <= 12; ++slot) dialog->CheckBox(slot)->setChecked(false);
  host.ClearLog();
  messages.Clear();
  dialog->SaveButton()->click();
  EXPECT_TRUE(host.FramesReceived().empty()) << "nothing ticked, nothing sent";
  EXPECT_TRUE(messages.Texts().empty());
}

// The reply handler is slow in every row: without the handshake each slot would be read before its
// acknowledgement was judged. The host fails slot 3, the first one written, and only that one.
TEST_F(AlarmPhoneDlgTest, EachSlotIsJudgedByItsOwnReplyAndOneFailedSlotIsReported) {
  const struct {
    const char* fault;
    hostsim::Faults slot3;
    std::vector<std::string> shown;
  } rows[] = {
      {"acknowledged slots reported as failed", {}, {}},
      {"slot 3 refused, slot 12 acknowledged: reported as success, or the refusal moved to slot 4",
       ReplyingWith(BuildFrame({0x01, 0x0D, 0xFF})), {kClosing}},
      {"slot 3 unanswered: reported once, or lost behind the good last slot", Silent(),
       {"Сбой при сохранения телефонных номеров 3!", kClosing}},
  };
  env.SetTimeouts(1, 300);
  FaultEndingNotifier notifier(messages, host);
  Open(std::make_unique<SlowHandlerPhoneDlg>(host));
  for (int slot = 3; slot <= 12; ++slot) Tick(slot, QString::number(slot * 11));
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    host.SetFaults(row.slot3);
    host.ClearLog();
    messages.Clear();
    dialog->SaveButton()->click();
    EXPECT_EQ(host.FramesReceived().size(), 10u) << "a failed slot must not stop the save";
    EXPECT_EQ(messages.Texts(), row.shown);
    EXPECT_EQ(dialog->SavingSlot(), 12);
    EXPECT_EQ(dialog->LastSlotOk(), 1) << "the last slot itself was acknowledged";
  }
}

TEST_F(AlarmPhoneDlgTest, NoHostNoReplyAndWrongReply) {
  const struct {
    const char* fault;
    bool found, save;
    hostsim::Faults faults;
    std::vector<std::string> shown;
    std::size_t sent;
  } rows[] = {
      {"read without a host", false, false, {}, {"3G камера не найдена!!"}, 0},
      {"save without a host", false, true, {}, {"3G камера не найдена!!"}, 0},
      {"read unanswered", true, false, Silent(), {"Сбой при получении телефонных номеров!"}, 1},
      {"save unanswered: every slot and the save", true, true, Silent(),
       {"Сбой при сохранения телефонных номеров 1!", "Сбой при сохранения телефонных номеров 12!", kClosing}, 2},
      {"save answered by something else than the acknowledgement", true, true,
       ReplyingWith(Hex("AA 00 0D 0C 55")), {kClosing}, 2},
      {"read answered by something else: no number, no message", true, false,
       ReplyingWith(Hex("AA 00 0D 0C 55")), {}, 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    host.SetFaults(row.faults);
    env.SetTimeouts(row.faults.silent ? 1 : 3, row.faults.silent ? 200 : 1000);
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
