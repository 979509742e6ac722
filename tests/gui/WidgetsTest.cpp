#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <vector>

#include "tests/gui/WaitFor.h"
#include "widgets/CGridCtrl.h"
#include "widgets/CPictureButton.h"
#include "widgets/CTabCtrlEx.h"

namespace {

bool SameColor(const QColor& a, const QColor& b) { return a.rgb() == b.rgb(); }

// ---- CGridCtrl ------------------------------------------------------------------------------------

std::unique_ptr<CGridCtrl> HistoryLikeGrid() {
  auto grid = std::make_unique<CGridCtrl>();
  grid->SetColumnCount(5);
  grid->SetRowCount(20);
  grid->SetHeaderTexts({"No.", "Название", "Событие", "Зона", "Время"});
  grid->resize(600, 300);
  return grid;
}

struct ColorRow {
  const char* fault;
  int row;
  int column;
  QColor expected;
};

void PrintTo(const ColorRow& row, std::ostream* out) { *out << row.fault; }

class GridColors : public testing::TestWithParam<ColorRow> {};

TEST_P(GridColors, CellIsPaintedInItsColour) {
  const ColorRow& p = GetParam();
  auto grid = HistoryLikeGrid();
  grid->SetItemText(1, 1, "Пульт");
  grid->show();
  if (p.row > 0) grid->EnsureRowVisible(p.row);
  const QImage image = grid->grab().toImage();

  QRect cell;
  if (p.row == 0) {
    const int x = grid->horizontalHeader()->sectionViewportPosition(p.column);
    cell = QRect(grid->horizontalHeader()->mapTo(grid.get(), QPoint(x, 0)),
                 QSize(grid->columnWidth(p.column), grid->horizontalHeader()->height()));
  } else {
    const QRect visual = grid->visualRect(grid->model()->index(p.row - 1, p.column));
    cell = QRect(grid->viewport()->mapTo(grid.get(), visual.topLeft()), visual.size());
  }
  ASSERT_TRUE(cell.isValid());
  // Top left corner of the cell: clear of the text (centred vertically) and of the grid lines.
  const QColor painted = image.pixelColor(cell.topLeft() + QPoint(2, 2));
  EXPECT_TRUE(SameColor(painted, p.expected)) << painted.name().toStdString();
  EXPECT_TRUE(SameColor(grid->GetItemBkColour(p.row, p.column), p.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Colors, GridColors,
    testing::Values(ColorRow{"HeaderRowNotInHeaderColour", 0, 2, QColor(115, 136, 193)},
                    ColorRow{"FilledCellNotInCellColour", 1, 1, QColor(80, 167, 133)},
                    ColorRow{"EmptyCellNotInCellColour", 19, 4, QColor(80, 167, 133)}),
    [](const testing::TestParamInfo<ColorRow>& info) { return info.param.fault; });

TEST(Grid, HeaderIsRowZeroAndCountsIncludeIt) {
  auto grid = HistoryLikeGrid();
  EXPECT_EQ(grid->GetRowCount(), 20);
  EXPECT_EQ(grid->GetItemText(0, 1), "Название");
  EXPECT_EQ(grid->model()->rowCount(), 19) << "the header must not also be a record row";
  EXPECT_TRUE(grid->SetItemText(19, 4, "12-31 23:59"));
  EXPECT_EQ(grid->GetItemText(19, 4), "12-31 23:59");
}

TEST(Grid, GrowsRowByRowAndCutsBack) {
  auto grid = HistoryLikeGrid();
  EXPECT_EQ(grid->AppendRow(), 20);
  EXPECT_EQ(grid->GetRowCount(), 21);
  EXPECT_TRUE(grid->SetItemText(20, 0, "20"));
  EXPECT_EQ(grid->GetItemText(20, 0), "20");

  grid->SetRowCount(9);
  EXPECT_EQ(grid->GetRowCount(), 9);
  EXPECT_EQ(grid->GetItemText(20, 0), "");
  grid->SetRowCount(21);
  EXPECT_EQ(grid->GetItemText(20, 0), "") << "a row cut off and grown again must come back empty";
  EXPECT_EQ(grid->GetItemText(0, 0), "No.");
}

struct RangeRow {
  const char* fault;
  int row;
  int column;
};

void PrintTo(const RangeRow& row, std::ostream* out) { *out << row.fault; }

class GridRange : public testing::TestWithParam<RangeRow> {};

TEST_P(GridRange, WritesOutsideTheTableAreRefused) {
  auto grid = HistoryLikeGrid();
  EXPECT_FALSE(grid->SetItemText(GetParam().row, GetParam().column, "x"));
  EXPECT_EQ(grid->GetItemText(GetParam().row, GetParam().column), "");
  EXPECT_EQ(grid->GetRowCount(), 20) << "a write past the end must not grow the table";
}

INSTANTIATE_TEST_SUITE_P(Range, GridRange,
                         testing::Values(RangeRow{"RowPastTheEnd", 20, 0}, RangeRow{"NegativeRow", -1, 0},
                                         RangeRow{"ColumnPastTheEnd", 1, 5}, RangeRow{"NegativeColumn", 1, -1}),
                         [](const testing::TestParamInfo<RangeRow>& info) { return info.param.fault; });

TEST(Grid, ResetKeepsHeaderAndEmptiesRecords) {
  auto grid = HistoryLikeGrid();
  grid->SetRowTexts(3, {"3", "База", "Тревога", "001", "01-01 00:00"});
  grid->ResetRows(20);
  EXPECT_EQ(grid->GetRowCount(), 20);
  EXPECT_EQ(grid->GetItemText(3, 1), "");
  EXPECT_EQ(grid->GetItemText(0, 1), "Название");
}

TEST(Grid, CellsAreReadOnlyAndRowsSelectable) {
  auto grid = HistoryLikeGrid();
  const QModelIndex index = grid->model()->index(0, 0);
  EXPECT_FALSE(grid->model()->flags(index) & Qt::ItemIsEditable);
  EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
  grid->SetSelectedRow(3);
  EXPECT_EQ(grid->GetSelectedRow(), 3);
  grid->SetSelectedRow(0);
  EXPECT_EQ(grid->GetSelectedRow(), -1) << "the header row cannot be selected";
}

TEST(Grid, ProportionalColumnsFillTheWidth) {
  auto grid = std::make_unique<CGridCtrl>();
  grid->SetColumnCount(4);
  grid->SetRowCount(10);
  grid->resize(535 + 2 * grid->frameWidth() + 40, 300);
  grid->SetColumnProportions({35, 80, 200, 220});
  grid->show();
  const int width = grid->viewport()->width();
  int sum = 0;
  for (int c = 0; c < 4; ++c) sum += grid->GetColumnWidth(c);
  EXPECT_EQ(sum, width);
  EXPECT_NEAR(grid->GetColumnWidth(2), width * 200 / 535, 1);
  grid->resize(grid->width() + 100, 300);
  sum = 0;
  for (int c = 0; c < 4; ++c) sum += grid->GetColumnWidth(c);
  EXPECT_EQ(sum, grid->viewport()->width()) << "columns must follow a resize";
}

TEST(Grid, ThousandsOfRowsStayQuick) {
  auto grid = HistoryLikeGrid();
  grid->show();
  QElapsedTimer clock;
  clock.start();
  for (int i = 0; i < 5000; ++i) {
    const int row = grid->AppendRow();
    grid->SetRowTexts(row, {QString::number(row), "Пульт", "Тревога", "005", "06-15 12:30"});
  }
  grid->EnsureRowVisible(grid->GetRowCount() - 1);
  grid->grab();
  EXPECT_EQ(grid->GetRowCount(), 5020);
  EXPECT_LT(clock.elapsed(), 10000) << "a per-cell widget or a quadratic growth would show here";
}

// ---- CTabCtrlEx -----------------------------------------------------------------------------------

struct Shown {
  int index;
  QWidget* page;
  bool operator==(const Shown&) const = default;
};

TEST(TabCtrl, ReportsTheFirstPageWhenShownAndEachChosenPage) {
  QWidget window;
  auto* tabs = new CTabCtrlEx(&window);
  auto* first = new QWidget;
  auto* second = new QWidget;
  std::vector<Shown> shown;
  QObject::connect(tabs, &CTabCtrlEx::PageShown, [&](int index, QWidget* page) { shown.push_back({index, page}); });
  tabs->AddPage(first, "Расписание", "Look up Timed arm/disarm");
  tabs->AddPage(second, "Настройки");
  EXPECT_TRUE(shown.empty()) << "pages added before the control is on screen are not in front yet";
  EXPECT_EQ(tabs->tabToolTip(0), "Look up Timed arm/disarm");

  window.show();
  ASSERT_EQ(shown.size(), 1u) << "the first page comes to the front when the dialog opens";
  EXPECT_EQ(shown[0], (Shown{0, first}));

  tabs->setCurrentIndex(1);
  tabs->setCurrentIndex(0);
  EXPECT_EQ(shown, (std::vector<Shown>{{0, first}, {1, second}, {0, first}}));
}

TEST(TabCtrl, TabChosenBeforeOpeningIsReportedOnce) {
  QWidget window;
  auto* tabs = new CTabCtrlEx(&window);
  auto* second = new QWidget;
  std::vector<Shown> shown;
  QObject::connect(tabs, &CTabCtrlEx::PageShown, [&](int index, QWidget* page) { shown.push_back({index, page}); });
  tabs->AddPage(new QWidget, "A");
  tabs->AddPage(second, "B");
  tabs->setCurrentIndex(1);
  window.show();
  EXPECT_EQ(shown, (std::vector<Shown>{{1, second}}));
}

// ---- CPictureButton -------------------------------------------------------------------------------

void SendEnter(QWidget* widget) {
  const QPointF centre = QRectF(widget->rect()).center();
  QEnterEvent enter(centre, centre, widget->mapToGlobal(centre));
  QApplication::sendEvent(widget, &enter);
}

void SendLeave(QWidget* widget) {
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(widget, &leave);
}

void Click(QWidget* widget, Qt::MouseButton button = Qt::LeftButton) {
  const QPointF at = QRectF(widget->rect()).center();
  QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), button, button, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), button, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(widget, &release);
}

TEST(PictureButton, SwapsPicturesWhileThePointerIsOver) {
  CPictureButton button;
  button.SetIcons(":/icons/tile_arm.svg", ":/icons/tile_arm_hover.svg");
  button.SetLabel("Установка режимов");
  button.resize(button.sizeHint());
  const QImage normal = button.grab().toImage();

  SendEnter(&button);
  EXPECT_TRUE(button.IsHovered());
  const QImage hovered = button.grab().toImage();
  EXPECT_NE(normal, hovered) << "the hover picture must be drawn";

  SendLeave(&button);
  EXPECT_FALSE(button.IsHovered());
  EXPECT_EQ(button.grab().toImage(), normal) << "leaving must bring the normal picture back";
}

TEST(PictureButton, ClicksWithTheLeftButtonAndShowsAHand) {
  CPictureButton button;
  button.SetIcons(":/icons/tile_upgrade.svg", ":/icons/tile_upgrade_hover.svg");
  button.resize(button.sizeHint());
  int clicks = 0;
  QObject::connect(&button, &QAbstractButton::clicked, [&] { ++clicks; });
  Click(&button);
  EXPECT_EQ(clicks, 1);
  Click(&button, Qt::RightButton);
  EXPECT_EQ(clicks, 1) << "a right click is not a press of the tile";
  EXPECT_EQ(button.cursor().shape(), Qt::PointingHandCursor);
}

TEST(PictureButton, BackgroundShowsAroundThePicture) {
  QLabel parent;  // any widget with a background of its own
  parent.setAutoFillBackground(true);
  QPalette palette = parent.palette();
  palette.setColor(QPalette::Window, QColor(250, 0, 0));
  parent.setPalette(palette);
  parent.resize(200, 200);
  auto* button = new CPictureButton(&parent);
  button->SetIcons(":/icons/tile_phone.svg", ":/icons/tile_phone_hover.svg");
  button->SetLabel("Label");
  button->setGeometry(20, 20, 150, 150);
  const QImage image = parent.grab().toImage();
  EXPECT_EQ(image.pixelColor(22, 22), QColor(250, 0, 0)) << "the button must not paint a background";
  const QRect picture = button->PictureRect().translated(button->pos());
  EXPECT_NE(image.pixelColor(picture.center()), QColor(250, 0, 0)) << "the picture must be drawn";
  EXPECT_LT(picture.bottom(), button->LabelRect().translated(button->pos()).top())
      << "the picture stands above its label";
}

TEST(PictureButton, PicturesOfARowLineUpHoweverTheirLabelsWrap) {
  QWidget window;
  auto* layout = new QGridLayout(&window);
  auto* shortLabel = new CPictureButton;
  auto* longLabel = new CPictureButton;
  shortLabel->SetIcons(":/icons/tile_history.svg", "");
  shortLabel->SetLabel("Журнал тревог");
  longLabel->SetIcons(":/icons/tile_phone.svg", "");
  longLabel->SetLabel("Настройки телефонных номеров");
  layout->addWidget(shortLabel, 0, 0);
  layout->addWidget(longLabel, 0, 1);
  window.resize(300, 200);
  window.show();
  ASSERT_GT(longLabel->sizeHint().height(), shortLabel->sizeHint().height()) << "the long label should wrap";
  EXPECT_EQ(shortLabel->mapTo(&window, shortLabel->PictureRect().topLeft()).y(),
            longLabel->mapTo(&window, longLabel->PictureRect().topLeft()).y());
}

// ---- Pictures -------------------------------------------------------------------------------------

class Pictures : public testing::TestWithParam<const char*> {};

TEST_P(Pictures, LoadAndDraw) {
  const QString path = QString(":/icons/%1.svg").arg(GetParam());
  const QIcon icon(path);
  const QPixmap pixmap = icon.pixmap(48, 48);
  ASSERT_FALSE(pixmap.isNull()) << "missing resource or SVG image plugin: " << path.toStdString();
  const QImage image = pixmap.toImage();
  int opaque = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) opaque += qAlpha(image.pixel(x, y)) > 0;
  }
  EXPECT_GT(opaque, 48 * 48 / 20) << path.toStdString() << " draws almost nothing";
}

INSTANTIATE_TEST_SUITE_P(
    All, Pictures,
    testing::Values("app", "connected", "disconnected", "antenna", "port_arrow", "port_arrow_hover",
                    "tile_settings", "tile_settings_hover", "tile_history", "tile_history_hover", "tile_arm",
                    "tile_arm_hover", "tile_schedule", "tile_schedule_hover", "tile_phone", "tile_phone_hover",
                    "tile_sensor", "tile_sensor_hover", "tile_mms", "tile_mms_hover", "tile_smarthome",
                    "tile_smarthome_hover", "tile_upgrade", "tile_upgrade_hover"));

}  // namespace
