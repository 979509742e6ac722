#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "alarm/CAlarmPhoneDlg.h"
#include "hostsim/AlarmState.h"
#include "hostsim/SimulatedHost.h"
#include "tests/common/CodecTestSupport.h"
#include "tests/common/LinkHarness.h"
#include "tests/gui/WaitFor.h"

namespace veyra {
namespace {

using testing::FrameLine;
using testing::Hex;
using testing::Hexes;
using testing::LinkHarness;

const std::string kClosing = "Сбой при сохранении телефонных номеров!";

// A host on a pty of its own that carries out every command like the simulated host, except the
// write of one slot: that one it refuses (a reply other than the acknowledgement) or ignores.
class OneSlotFailingHost {
 public:
  enum class Mode { Refuse, Ignore };
  OneSlotFailingHost(int slot, Mode mode) : slot_(slot), mode_(mode) {}
  ~OneSlotFailingHost() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    for (int fd : {master_, slave_})
      if (fd >= 0) ::close(fd);
  }
  bool Start() {
    char name[256] = {};
    termios raw{};
    ::cfmakeraw(&raw);
    if (::openpty(&master_, &slave_, name, &raw, nullptr) != 0) return false;
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    device_ = name;
    thread_ = std::thread([this] { Serve(); });
    return true;
  }
  const std::string& DevicePath() const { return device_; }
  std::vector<Bytes> FramesReceived() const {
    std::lock_guard lock(mutex_);
    return frames_;
  }

 private:
  void Serve() {
    hostsim::HostFrameReader reader;
    hostsim::SimulatedHost host;
    while (!stop_) {
      pollfd p{master_, POLLIN, 0};
      if (::poll(&p, 1, 20) <= 0 || !(p.revents & POLLIN)) continue;  // 20 ms: to see stop_
      std::uint8_t chunk[512];
      const ssize_t n = ::read(master_, chunk, sizeof chunk);
      if (n <= 0) continue;
      for (const Bytes& frame : reader.Feed(chunk, static_cast<std::size_t>(n))) {
        {
          std::lock_guard lock(mutex_);
          frames_.push_back(frame);
        }
        std::vector<Bytes> replies;
        if (frame[2] == 0x0D && frame[3] == slot_) {
          if (mode_ == Mode::Refuse) replies.push_back(BuildFrame({0x01, 0x0D, 0xFF}));
        } else {
          replies = host.Handle(frame);
        }
        for (const Bytes& reply : replies) [[maybe_unused]] ssize_t w = ::write(master_, reply.data(), reply.size());
      }
    }
  }

  int slot_;
  Mode mode_;
  int master_ = -1, slave_ = -1;
  std::string device_;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<Bytes> frames_;
};

// A reply handler that takes its time, so SendAndWait is back long before the handler has judged
// the reply: the save must still read each slot's own verdict.
class SlowHandlerPhoneDlg : public CAlarmPhoneDlg {
 public:
  void OnReply(const Bytes& sentFrame, const Bytes& receivedFrame) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    CAlarmPhoneDlg::OnReply(sentFrame, receivedFrame);
  }
};

class AlarmPhoneDlgTest : public LinkHarness {
 protected:
  void SetUp() override {
    LinkHarness::SetUp();
    HostFound = 1;
  }
  void TearDown() override {
    dialog.reset();
    HostFound = 0;
    LinkHarness::TearDown();
  }
  template <typename Dialog = CAlarmPhoneDlg>
  void Open(int com = kCom) {
    dialog = std::make_unique<Dialog>();
    dialog->SetCommn(&port);
    ASSERT_EQ(dialog->OpenPort(com), 1);
    dialog->show();
  }
  void Tick(int slot, const QString& text) {
    dialog->CheckBox(slot)->setChecked(true);
    dialog->Field(slot)->setText(text);
  }
  // Presses "Проверить" and waits until the frame of slot 12, the last one, has been placed.
  void ReadAll() {
    dialog->Field(12)->setText(QStringLiteral("unread"));
    dialog->ReadButton()->click();
    ASSERT_TRUE(test::WaitFor([&] { return dialog->Field(12)->text().isEmpty(); }));
  }
  std::vector<std::string> Fields() const {
    std::vector<std::string> texts;
    for (int slot = 1; slot <= 12; ++slot) texts.push_back(dialog->Field(slot)->text().toStdString());
    return texts;
  }
  Bytes Stored(int slot) {
    auto lock = host.Lock();
    return host.Host().Alarm().SlotBytes(slot);
  }

  std::unique_ptr<CAlarmPhoneDlg> dialog;
};

TEST_F(AlarmPhoneDlgTest, OpensWithTwelveClearReadOnlySlots) {
  Open();
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Ввод телефонных номеров"));
  std::vector<std::string> labels;
  for (QLabel* label : dialog->findChildren<QLabel*>()) labels.push_back(label->text().toStdString());
  EXPECT_NE(std::find(labels.begin(), labels.end(), "Тел. номер 6"), labels.end());
  EXPECT_NE(std::find(labels.begin(), labels.end(), "SMS. номер 1"), labels.end());
  EXPECT_NE(std::find(labels.begin(), labels.end(), "MMS.номер 3"), labels.end());
  for (int slot = 1; slot <= 12; ++slot) {
    EXPECT_FALSE(dialog->CheckBox(slot)->isChecked()) << slot;
    EXPECT_TRUE(dialog->CheckBox(slot)->text().isEmpty()) << slot;
    EXPECT_TRUE(dialog->Field(slot)->isReadOnly()) << slot;
    EXPECT_TRUE(dialog->Field(slot)->text().isEmpty()) << slot;
  }
  dialog->CheckBox(4)->setChecked(true);
  EXPECT_FALSE(dialog->Field(4)->isReadOnly()) << "a ticked slot can be edited";
  dialog->CheckBox(4)->setChecked(false);
  EXPECT_TRUE(dialog->Field(4)->isReadOnly());
  EXPECT_EQ(dialog->ReadButton()->text(), QStringLiteral("Проверить"));
  EXPECT_EQ(dialog->SaveButton()->text(), QStringLiteral("Сохранить"));
  EXPECT_EQ(dialog->SavingSlot(), 0);
  EXPECT_TRUE(host.FramesReceived().empty()) << "nothing is read when the dialog opens";
}

TEST_F(AlarmPhoneDlgTest, ReadFillsEveryFieldTickedOrNotAndLateFramesStillLand) {
  Open();
  ReadAll();
  EXPECT_EQ(Hexes(host.FramesReceived()), (std::vector<std::string>{"AA 00 0C 0C 55"}));
  EXPECT_EQ(Fields(), (std::vector<std::string>{"13800138000", "3G8613912345678", "*2101", "", "", "112",
                                                "13912345678", "", "", "13800001111", "", ""}));
  EXPECT_FALSE(dialog->CheckBox(10)->isChecked()) << "a number frame leaves its check box alone";
  // Frames long after the wait ended: a colon nibble, and LEN 1 emptying a slot.
  host.Inject(BuildFrame(Hex("03 0C 04 A5 5F")));
  host.Inject(BuildFrame(Hex("01 0C 01")));
  host.Inject(BuildFrame(Hex("02 0C 0D 12")));  // slot 13: no such field
  ASSERT_TRUE(test::WaitFor([&] { return dialog->Field(1)->text().isEmpty(); }));
  EXPECT_EQ(dialog->Field(4)->text(), QStringLiteral(":55"));
  EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(AlarmPhoneDlgTest, SaveWritesTickedSlotsInOrderAndAReadShowsThem) {
  Open();
  Tick(7, "");
  Tick(1, "123");
  Tick(2, "  3G1234\t");  // blanks around the number are not sent
  Tick(3, "*21");
  dialog->SaveButton()->click();
  EXPECT_EQ(Hexes(host.FramesReceived()),
            (std::vector<std::string>{"AA 03 0D 01 12 3F 62 55", FrameLine("05 0D 02 3B 12 34 FF"),
                                      FrameLine("03 0D 03 B2 1F"), FrameLine("02 0D 07 FF")}));
  test::DeliverPosted();
  EXPECT_TRUE(messages.Texts().empty());
  EXPECT_EQ(dialog->SavingSlot(), 7);
  EXPECT_EQ(dialog->LastSlotOk(), 1);
  EXPECT_EQ(Stored(2), Hex("3B 12 34 FF"));

  for (int slot : {1, 2, 3, 7}) dialog->CheckBox(slot)->setChecked(false);
  ReadAll();
  EXPECT_EQ(Fields(), (std::vector<std::string>{"123", "3G1234", "*21", "", "", "112", "", "", "", "13800001111",
                                                "", ""}));

  host.ClearLog();
  dialog->SaveButton()->click();
  EXPECT_TRUE(host.FramesReceived().empty()) << "nothing ticked, nothing sent";
  EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(AlarmPhoneDlgTest, NumbersThatCannotBeSentAreRefusedAndTheOtherSlotsStillWritten) {
  Open();
  // "*", "G" and "g" become the nibble B past the 32nd character too.
  const QString longNumber = QStringLiteral("1234567890123456789012345678901234*G6g90");
  Tick(1, longNumber);
  Tick(2, "12-34");                    // a character no nibble stands for
  Tick(5, "555");
  Tick(6, QString(64, QChar('1')));    // longer than a number frame can carry
  Tick(9, QStringLiteral("1２3"));     // a full-width digit
  dialog->SaveButton()->click();
  EXPECT_EQ(Hexes(host.FramesReceived()),
            (std::vector<std::string>{FrameLine("16 0D 01 12 34 56 78 90 12 34 56 78 90 12 34 56 78 90 12 34 BB 6B 90 FF"),
                                      FrameLine("03 0D 05 55 5F")}));
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Сбой при сохранения телефонных номеров 2!",
                                                        "Сбой при сохранения телефонных номеров 6!",
                                                        "Сбой при сохранения телефонных номеров 9!", kClosing}));
  EXPECT_EQ(Stored(5), Hex("55 5F"));
  EXPECT_EQ(Stored(2), Hex("3B 86 13 91 23 45 67 8F")) << "a refused number must not reach the host";
}

TEST_F(AlarmPhoneDlgTest, OneFailedSlotIsReportedEvenWhenTheLastSlotSucceeds) {
  struct Row {
    const char* fault;
    OneSlotFailingHost::Mode mode;
    std::vector<std::string> shown;
  };
  const Row rows[] = {
      {"slot 3 refused, slot 12 acknowledged: reported as success",
       OneSlotFailingHost::Mode::Refuse, {kClosing}},
      {"slot 3 unanswered: reported once, or lost behind the good last slot",
       OneSlotFailingHost::Mode::Ignore, {"Сбой при сохранения телефонных номеров 3!", kClosing}},
  };
  env.SetTimeouts(1, 300);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.fault);
    OneSlotFailingHost failing(3, row.mode);
    ASSERT_TRUE(failing.Start());
    env.MapPort(8, failing.DevicePath());
    messages.Clear();
    Open(8);
    Tick(3, "333");
    Tick(4, "444");
    Tick(12, "1212");
    dialog->SaveButton()->click();
    EXPECT_EQ(failing.FramesReceived().size(), 3u) << "a failed slot must not stop the save";
    EXPECT_EQ(messages.Texts(), row.shown);
    EXPECT_EQ(dialog->SavingSlot(), 12);
    EXPECT_EQ(dialog->LastSlotOk(), 1) << "the last slot itself was acknowledged";
    dialog.reset();
    port.Close();  // before the host's pty goes away
  }
}

TEST_F(AlarmPhoneDlgTest, EachSlotIsJudgedByItsOwnReplyWhenTheHandlerLagsBehind) {
  // The simulated host answers at once; the handler is slow. Without the handshake every slot
  // would be read before its acknowledgement was judged.
  Open<SlowHandlerPhoneDlg>();
  for (int slot = 1; slot <= 12; ++slot) Tick(slot, QString::number(slot * 11));
  dialog->SaveButton()->click();
  EXPECT_EQ(host.FramesReceived().size(), 12u);
  EXPECT_TRUE(messages.Texts().empty()) << "acknowledged slots reported as failed";

  OneSlotFailingHost failing(3, OneSlotFailingHost::Mode::Refuse);
  ASSERT_TRUE(failing.Start());
  env.MapPort(8, failing.DevicePath());
  dialog.reset();
  Open<SlowHandlerPhoneDlg>(8);
  for (int slot : {3, 4}) Tick(slot, "1");
  dialog->SaveButton()->click();
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{kClosing})) << "slot 3's refusal lost or moved to slot 4";
  dialog.reset();
  port.Close();  // before the host's pty goes away
}

TEST_F(AlarmPhoneDlgTest, NoHostNoReplyAndWrongReply) {
  struct Row {
    const char* fault;
    enum { NoHost, Silent, WrongReply } host;
    bool save;
    std::vector<std::string> shown;
    std::size_t sent;
  };
  const Row rows[] = {
      {"read without a host", Row::NoHost, false, {"3G камера не найдена!!"}, 0},
      {"save without a host", Row::NoHost, true, {"3G камера не найдена!!"}, 0},
      {"read unanswered", Row::Silent, false, {"Сбой при получении телефонных номеров!"}, 1},
      {"save unanswered: every slot and the save",
       Row::Silent,
       true,
       {"Сбой при сохранения телефонных номеров 1!", "Сбой при сохранения телефонных номеров 12!", kClosing},
       2},
      {"save answered by something else than the acknowledgement", Row::WrongReply, true, {kClosing}, 2},
      {"read answered by something else: no number, no message", Row::WrongReply, false, {}, 1},
  };
  Open();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.fault);
    hostsim::Faults faults;
    faults.silent = row.host == Row::Silent;
    if (row.host == Row::WrongReply) faults.replaceReply = Hex("AA 00 0D 0C 55");
    host.SetFaults(faults);
    env.SetTimeouts(row.host == Row::Silent ? 1 : 3, row.host == Row::Silent ? 200 : 1000);
    HostFound = row.host == Row::NoHost ? 0 : 1;
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
