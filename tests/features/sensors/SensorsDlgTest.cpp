// The sensors dialog's pages against the simulated host on a pseudo-terminal: rows placed as the
// frames arrive, the bytes each button and field put on the line, what only the pages do. The
// message each reply earns, which texts are refused and the filter's whole table are the codec
// tests' business.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <atomic>
#include <string>
#include <vector>

#include "features/sensors/CSensorEditPage.h"
#include "features/sensors/CSensorListPage.h"
#include "features/sensors/CSensorsDlg.h"
#include "hostsim/DeviceState.h"
#include "tests/common/BadInput.h"
#include "tests/common/CodecTestSupport.h"
#include "tests/common/DialogFixture.h"
#include "tests/common/Keys.h"
#include "tests/common/SlowHost.h"
#include "tests/common/WaitFor.h"
#include "ui/CGridCtrl.h"
#include "ui/CTabCtrlEx.h"

namespace veyra {
namespace {

using hostsim::DeviceState;
using hostsim::HostSensor;
using Lines = std::vector<std::string>;
using test::FrameLine;
using test::kPasted;
using test::kSet;
using test::kTyped;

const std::string kTrigger = "Пожалуйста, триггерный датчик для записи в течение 30-х годов!";
const std::string kBlank = "\t\t\t\t";

class SensorsDlgTest : public test::DialogFixture<CSensorsDlg> {
 protected:
  void SetUp() override {
    DialogFixture::SetUp();
    env.SetTimeouts(1, 200);
  }
  CSensorListPage* List() const { return dialog->ListPage(); }
  CSensorEditPage* Edit() const { return dialog->EditPage(); }
  Lines OnTheLine() const { return test::Hexes(host.FramesReceived()); }
  // A row's five cells joined by tabs.
  std::string Row(int row) const {
    std::string line;
    for (int column = 0; column < 5; ++column)
      line += (column ? "\t" : "") + List()->Grid()->GetItemText(row, column).toStdString();
    return line;
  }
  std::string TypeColumn(int fromRow, int toRow) const {
    std::string texts;
    for (int row = fromRow; row <= toRow; ++row)
      texts += List()->Grid()->GetItemText(row, 0).toStdString() + ";";
    return texts;
  }
  // Presses "Проверить" under the filter and waits until `rows` devices are placed.
  void Check(int filter, int rows) {
    List()->FilterList()->setCurrentIndex(filter);
    List()->CheckButton()->click();
    ASSERT_TRUE(test::WaitFor([&] { return List()->LastRow() == rows; })) << "placed " << List()->LastRow();
  }
  void ShowPage(int index, CHostPage* page) {
    dialog->Tabs()->setCurrentIndex(index);
    ASSERT_EQ(port.Owner(), static_cast<HostLink*>(&page->Link()));
  }
};

TEST_F(SensorsDlgTest, ListingGrowsTheTableAndTheNextListingCutsItBackAndBlanksWhatIsLeft) {
  ASSERT_EQ(port.Owner(), static_cast<HostLink*>(&List()->Link()))
      << "the list page holds the port on opening";
  EXPECT_EQ(List()->FilterList()->currentText(), QStringLiteral("Все"));
  for (QComboBox* list : {Edit()->LearnTypeList(), Edit()->LearnModeList(), Edit()->DeleteKindList()})
    EXPECT_EQ(list->currentIndex(), 0) << "a list opening without a selection refuses the first press";
  EXPECT_EQ(List()->Grid()->GetRowCount(), 9);
  Check(0, 12);
  EXPECT_EQ(OnTheLine(), Lines{"AA 00 12 12 55"});
  EXPECT_EQ(List()->RowCount(), 13);
  EXPECT_EQ(List()->Grid()->GetRowCount(), 13);
  // In the order they came; each row's cells are SensorListCodec.CellsOfEachKind's.
  EXPECT_EQ(TypeColumn(1, 12),
            "PIR-датчик;DДверной датчик;Датчик движения;Датчик газа;Датчик дыма;Датчик воды;Тепловой датчик;"
            "Тревожная кнопка;Пульт ДУ;Пульт ДУ;Беспроводной звонок;keypad;");
  EXPECT_EQ(Row(11), "Беспроводной звонок\t01\t94\tПусто\td0:0b:e1");

  {
    auto lock = host.Lock();
    DeviceState& devices = host.Host().Devices();
    devices.Clear();
    devices.SetSensor(5, HostSensor{{0x01, 0x02, 0x03, 0x04}, 0x42, 0xF9});
    devices.SetRemote(3, hostsim::HostTag{0x0A, 0x0B, 0x0C});
    devices.SetKeypad(hostsim::HostKeypad{0x00, 0xFF});
  }
  Check(0, 3);
  EXPECT_EQ(List()->RowCount(), 9);
  EXPECT_EQ(List()->Grid()->GetRowCount(), 9) << "the first new device cuts the table back";
  EXPECT_EQ(TypeColumn(1, 3), "keypad;Пульт ДУ;keypad;");
  for (int row = 4; row < 9; ++row)
    EXPECT_EQ(Row(row), kBlank) << "a device of the earlier listing left in row " << row;
  EXPECT_TRUE(messages.Texts().empty());
}

// After a longer listing under "Все", a filter's own listing: the rows it lets through, and nothing
// of the earlier listing below them. Which devices each filter lets through is the codec's table.
TEST_F(SensorsDlgTest, AFilterShowsItsDevicesAndBlanksTheRowsBelow) {
  Check(0, 12);
  Check(10, 2);
  // The listing's last frames may still be coming: each one leaves the rows below blank too.
  List()->Link().AwaitQuietLine();
  EXPECT_EQ(List()->LastRow(), 2);
  EXPECT_EQ(TypeColumn(1, 2), "Тревожная кнопка;keypad;")
      << "the panic filter misses the panic button or keypad";
  EXPECT_EQ(List()->Grid()->GetRowCount(), 9);
  for (int r = 3; r < 9; ++r) EXPECT_EQ(Row(r), kBlank) << "row " << r << " of the earlier listing";
  // A filter changed after the frames came re-sorts nothing: a new listing is needed.
  List()->FilterList()->setCurrentIndex(0);
  test::DeliverPosted();
  EXPECT_EQ(List()->LastRow(), 2);
}

TEST_F(SensorsDlgTest, FramesGoToThePageInFrontAndShortOnesTakeNoRow) {
  Check(0, 12);
  const Bytes pir = BuildFrame({0x07, 0x12, 0x21, 0x01, 0x02, 0x03, 0x04, 0x05, 0x21});
  std::atomic<int> recognised{0};
  port.SetTrace(
      [&recognised](TraceKind kind, const Bytes&) { recognised += kind == TraceKind::Received ? 1 : 0; });
  ShowPage(1, Edit());
  host.Inject(pir);
  ASSERT_TRUE(test::WaitFor([&] { return recognised == 1; }));
  test::DeliverPosted();
  EXPECT_EQ(List()->LastRow(), 12) << "a frame placed on a page behind";
  ShowPage(0, List());
  host.Inject(BuildFrame({0x06, 0x12, 0x22, 0x01, 0x02, 0x03, 0x04, 0x05}));  // one byte short
  host.Inject(pir);
  ASSERT_TRUE(test::WaitFor([&] { return List()->LastRow() == 13; }));
  EXPECT_EQ(Row(13), "PIR-датчик\t33\t05\tПостановка\t01:02:03:04");
  EXPECT_EQ(List()->RowCount(), 14);
  EXPECT_TRUE(messages.Texts().empty());
  port.SetTrace(nullptr);
}

// A host slower than the window answers both copies of the listing: each device must still take
// one row, as on a host in time.
TEST_F(SensorsDlgTest, AHostSlowerThanTheWindowListsEachDeviceOnce) {
  env.SetTimeouts(test::kSlowTimes, test::kSlowWaitMs);
  Check(0, 12);
  const std::vector<QStringList> inTime = test::GridTexts(List()->Grid());
  const test::SlowHost rows[] = {
      {"every copy answered late lists each device once", false},
      {"a repeat answered at once lists each device once", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    host.SetFaults(test::Slow(row));
    test::LineTally tally(port);
    List()->CheckButton()->click();
    ASSERT_GE(tally.Sent(0x12), 2) << "the host was not slower than the window";
    // Sensors, remotes, doorbells and the keypad each in frames of their own kind.
    ASSERT_TRUE(tally.WaitForEveryCopysAnswer(0x12, 12, {0x12, 0x13, 0x14, 0x24}));
    EXPECT_EQ(List()->LastRow(), 12);
    EXPECT_EQ(test::GridTexts(List()->Grid()), inTime);
    EXPECT_TRUE(messages.Texts().empty());
  }
}

// Each field and list of the edit page, the others left to learn type 2, mode 1, zone 12, delete
// sensor 1 and set siren 01201120, and the list page's filter: what each field's length and
// validator let through, what reaches the line and what the user sees. Which texts are refused is
// the codec's table.
TEST_F(SensorsDlgTest, EachFieldAndListRefusesOrSendsExactly) {
  CSensorEditPage* edit = Edit();
  QLineEdit *zone = edit->ZoneEdit(), *number = edit->NumberEdit(), *id = edit->SirenIdEdit();
  QPushButton *learn = edit->LearnButton(), *remove = edit->DeleteButton(), *siren = edit->SirenIdButton();
  const std::string noNumber = "Введите NO. датчика!!", format = "Ошибка формата ввода!!";
  const std::string learnt12 = "AA 02 11 32 12 57 55", siren01201120 = "AA 04 19 01 20 11 20 6F 55";
  // clang-format off
  const test::BadInput rows[] = {
      {"an empty zone asks for one", zone, "", kSet, learn, {"Введите зону!!"}, {}},
      {"a set zone is cut to two digits, 12 learnt", zone, "123", kSet, learn, {kTrigger}, {learnt12}},
      {"a letter typed into the zone is kept out, 12 learnt", zone, "1a2", kTyped, learn, {kTrigger}, {learnt12}},
      {"no learn type is refused as a format error", edit->LearnTypeList(), "", kSet, learn, {format}, {}},
      {"no learn mode is refused as a format error", edit->LearnModeList(), "", kSet, learn, {format}, {}},
      {"an empty device number asks for one", number, "", kSet, remove, {noNumber}, {}},
      {"a 10,000-digit device number is cut to 11", number, test::Many('1'), kSet, remove, {}, {FrameLine("02 15 01 0A")}},
      {"a pasted word is kept out and a number asked for", number, "ab", kPasted, remove, {noNumber}, {}},
      {"no device kind is refused as a format error", edit->DeleteKindList(), "", kSet, remove, {format}, {}},
      {"an empty siren ID asks for one", id, "", kSet, siren, {"Укажите ID сирены!!"}, {}},
      {"a set ID is cut to eight digits", id, "012011201", kSet, siren, {}, {siren01201120}},
      {"a letter typed into the ID is kept out", id, "0120x1120", kTyped, siren, {}, {siren01201120}},
      {"no filter lists every device", List()->FilterList(), "", kSet, List()->CheckButton(), {}, {"AA 00 12 12 55"}},
  };
  // clang-format on
  for (const auto& row : rows) {
    edit->LearnTypeList()->setCurrentIndex(2);
    edit->LearnModeList()->setCurrentIndex(1);
    zone->setText("12");
    edit->DeleteKindList()->setCurrentIndex(1);
    number->setText("1");
    id->setText("01201120");
    List()->FilterList()->setCurrentIndex(0);
    test::ShowPageOf(dialog->Tabs(), row.button);
    test::Press(row, messages, host);
  }
  // Without a filter every device is listed, as under "Все": the host's twelve and those learnt above.
  EXPECT_TRUE(test::WaitFor([&] { return List()->LastRow() >= 12; })) << "placed " << List()->LastRow();
}

TEST_F(SensorsDlgTest, DeletingEveryDeviceOfAKindAsksAndOnlyAYesWithAHostSendsItsCommand) {
  ShowPage(1, Edit());
  const struct {
    QPushButton* button;
    const char* frame;
  } rows[] = {{Edit()->DeleteAllSensorsButton(), "AA 00 16 16 55"},
              {Edit()->DeleteAllRemotesButton(), "AA 00 17 17 55"},
              {Edit()->DeleteAllDoorbellsButton(), "AA 00 18 18 55"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.frame);
    messages.Clear();
    host.ClearLog();
    messages.AnswerYes(false);
    row.button->click();
    EXPECT_TRUE(host.FramesReceived().empty()) << "deleted on a No";
    messages.AnswerYes(true);
    row.button->click();
    HostFound = 0;
    row.button->click();
    HostFound = 1;
    EXPECT_EQ(messages.Questions().size(), 2u) << "deleted without asking, or asked without a host";
    EXPECT_EQ(OnTheLine(), Lines{row.frame});
    EXPECT_EQ(messages.Texts(), Lines{"3G камера не найдена!!"});
  }
}

// Enter learns, as the page's default, unless another button has the focus.
TEST_F(SensorsDlgTest, EnterLearnsUnlessAnotherButtonIsInFocus) {
  ShowPage(1, Edit());
  Edit()->ZoneEdit()->setText("7");
  test::KeyClick(Edit()->ZoneEdit(), Qt::Key_Return, QStringLiteral("\r"));
  EXPECT_EQ(OnTheLine(), Lines{FrameLine("02 11 11 07")});
  ASSERT_TRUE(messages.WaitFor(1));
  EXPECT_EQ(messages.Texts(), Lines{kTrigger});
  host.ClearLog();
  Edit()->DeleteAllSensorsButton()->setFocus();
  test::KeyClick(Edit()->DeleteAllSensorsButton(), Qt::Key_Return, QStringLiteral("\r"));
  EXPECT_TRUE(messages.Questions().empty());
  EXPECT_TRUE(host.FramesReceived().empty());
}

// Every way a press ends without an answer reaches the user, and a failed listing keeps the table.
// Which command earns which no-reply text is the codec's to prove.
TEST_F(SensorsDlgTest,
       UnansweredOrHostlessPressesAreReportedAndALateLearnAcknowledgementStillAsksForTheTrigger) {
  Check(0, 12);
  const std::string before = Row(5);
  Edit()->ZoneEdit()->setText("7");
  Edit()->NumberEdit()->setText("1");
  Edit()->SirenIdEdit()->setText("01201120");
  messages.AnswerYes(true);
  hostsim::Faults late;
  late.delayMs = 400;  // past the one 200 ms attempt
  const Lines notFound{"3G камера не найдена!!"};
  const struct {
    const char* expect;
    QPushButton* button;
    bool found;
    hostsim::Faults faults;
    Lines shown, sent;
  } rows[] = {
      // clang-format off
      {"a silent host is reported as not found", List()->CheckButton(), true, test::Silent(), {"Не искать датчик!"},
       {"AA 00 12 12 55"}},
      {"a query without a host says so and sends nothing", List()->CheckButton(), false, {}, notFound, {}},
      {"an unanswered deletion is reported", Edit()->DeleteAllSensorsButton(), true, test::Silent(), {"Data sending error!"},
       {"AA 00 16 16 55"}},
      {"a late learn acknowledgement still shows the trigger box", Edit()->LearnButton(), true, late, {"Ошибка передачи данных!", kTrigger},
       {FrameLine("02 11 11 07")}},
      {"learn without a host says so and sends nothing", Edit()->LearnButton(), false, {}, notFound, {}},
      {"deletion without a host says so and sends nothing", Edit()->DeleteButton(), false, {}, notFound, {}},
      {"a siren ID without a host says so and sends nothing", Edit()->SirenIdButton(), false, {}, notFound, {}},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    test::ShowPageOf(dialog->Tabs(), row.button);
    host.SetFaults(row.faults);
    HostFound = row.found;
    host.ClearLog();
    messages.Clear();
    row.button->click();
    ASSERT_TRUE(messages.WaitFor(row.shown.size()));
    EXPECT_EQ(messages.Texts(), row.shown);
    EXPECT_EQ(OnTheLine(), row.sent);
  }
  EXPECT_EQ(Row(5), before) << "a failed listing emptied the table";
  EXPECT_EQ(List()->Grid()->GetRowCount(), 13);
}

// Deleting, the siren ID and the end of learning earn no box: the dialog's status line says what
// the host did with each, and that it did not answer.
TEST_F(SensorsDlgTest, EveryEditActionSaysOnTheStatusLineWhatTheHostDidWithIt) {
  ShowPage(1, Edit());
  Edit()->SetListenSeconds(1);
  messages.AnswerYes(true);
  const std::string notConfirmed = "Хост ответил, но не подтвердил команду";
  const struct {
    const char* expect;
    QPushButton* button;
    hostsim::Faults faults;
    Lines shown, line;
    std::string status;
  } rows[] = {
      // clang-format off
      {"a deletion is said done", Edit()->DeleteButton(), {}, {}, {FrameLine("02 15 01 00")}, "Удалено"},
      {"deleting all remotes is said done", Edit()->DeleteAllRemotesButton(), {}, {}, {"AA 00 17 17 55"}, "Удалено"},
      {"a deletion the host refused is said not confirmed", Edit()->DeleteButton(),
       test::ReplyingWith(BuildFrame(test::Hex("01 15 00"))), {}, {FrameLine("02 15 01 00")}, notConfirmed},
      {"the siren ID is said set", Edit()->SirenIdButton(), {}, {}, {FrameLine("04 19 01 20 11 20")},
       "ID сирены записан"},
      {"the end of learning is said", Edit()->LearnButton(), {}, {kTrigger}, {FrameLine("02 11 11 07")},
       "Ожидание датчика окончено: проверьте «Список датчиков»"},
      {"a learn the host did not confirm is said not confirmed", Edit()->LearnButton(),
       test::ReplyingWith(BuildFrame(test::Hex("00 12"))), {}, {FrameLine("02 11 11 07")}, notConfirmed},
      {"a silent host is still said once its box is closed", Edit()->DeleteButton(), test::Silent(),
       {"Ошибка передачи данных!"}, {FrameLine("02 15 01 00")}, "Хост не ответил"},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    Edit()->ZoneEdit()->setText("7");
    Edit()->DeleteKindList()->setCurrentIndex(1);
    Edit()->NumberEdit()->setText("1");
    Edit()->SirenIdEdit()->setText("01201120");
    dialog->ShowStatus(QStringLiteral("the last row's answer"));
    host.SetFaults(row.faults);
    messages.Clear();
    host.ClearLog();
    row.button->click();
    const QString status = QString::fromStdString(row.status);
    EXPECT_TRUE(test::WaitFor([&] { return dialog->StatusText() == status; }))
        << dialog->StatusText().toStdString();
    EXPECT_TRUE(messages.WaitFor(row.shown.size()));
    EXPECT_EQ(messages.Texts(), row.shown);
    EXPECT_EQ(OnTheLine(), row.line);
    host.SetFaults({});
  }
}

// While the host listens for the device the line counts down, and another command ends that.
TEST_F(SensorsDlgTest, TheStatusLineCountsDownWhileTheHostListensForTheDevice) {
  ShowPage(1, Edit());
  Edit()->SetListenSeconds(30);
  Edit()->ZoneEdit()->setText("7");
  Edit()->LearnButton()->click();
  ASSERT_TRUE(messages.WaitFor(1));
  EXPECT_TRUE(Edit()->Listening());
  EXPECT_TRUE(test::WaitFor([&] {
    return dialog->StatusText() == QStringLiteral("Хост ждёт сигнала датчика: осталось 30 с");
  })) << dialog->StatusText().toStdString();
  Edit()->NumberEdit()->setText("1");
  Edit()->DeleteButton()->click();
  EXPECT_TRUE(test::WaitFor([&] { return dialog->StatusText() == QStringLiteral("Удалено"); }));
  EXPECT_FALSE(Edit()->Listening()) << "the countdown would write over the next command's answer";
}

// A listing says how many devices it shows, those a filter hides left out: a table that did not
// change is an answer too.
TEST_F(SensorsDlgTest, AListingSaysHowManyDevicesItShows) {
  Check(0, 12);
  EXPECT_TRUE(test::WaitFor([&] { return dialog->StatusText() == QStringLiteral("Показано устройств: 12"); }))
      << dialog->StatusText().toStdString();
  Check(8, 1);  // heat sensors
  EXPECT_TRUE(test::WaitFor([&] { return dialog->StatusText() == QStringLiteral("Показано устройств: 1"); }))
      << dialog->StatusText().toStdString();
  host.SetFaults(test::Silent());
  List()->CheckButton()->click();
  EXPECT_TRUE(test::WaitFor([&] { return dialog->StatusText() == QStringLiteral("Хост не ответил"); }))
      << dialog->StatusText().toStdString();
  EXPECT_EQ(messages.Texts(), Lines{"Не искать датчик!"});
}

}  // namespace
}  // namespace veyra
