#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QToolTip>
#include <memory>
#include <utility>
#include <vector>

#include "ui/CGridCtrl.h"
#include "ui/CPictureButton.h"
#include "ui/CTabCtrlEx.h"

namespace {

std::unique_ptr<CGridCtrl> HistoryLikeGrid() {
  auto grid = std::make_unique<CGridCtrl>();
  grid->SetColumnCount(5);
  grid->SetRowCount(20);
  grid->SetHeaderTexts({"No.", "Название", "Событие", "Зона", "Время"});
  grid->resize(600, 300);
  return grid;
}

// How fast rows grow is measured by the list-page benchmark (bench/stream_capacity_bench.cpp).
TEST(Grid, ThousandsOfRowsAreKeptAndHeaderAndCellsArePaintedInTheirColours) {
  auto grid = HistoryLikeGrid();
  grid->show();
  for (int i = 0; i < 5000; ++i)
    grid->SetRowTexts(grid->AppendRow(), {QString::number(i), "Пульт", "Тревога", "005", "06-15 12:30"});
  grid->EnsureRowVisible(grid->GetRowCount() - 1);
  grid->grab();
  EXPECT_EQ(grid->GetRowCount(), 5020);
  QImage image = grid->grab().toImage();
  QHeaderView* header = grid->horizontalHeader();
  const QPoint headerCell = header->mapTo(grid.get(), QPoint(header->sectionViewportPosition(2), 0));
  EXPECT_EQ(image.pixelColor(headerCell + QPoint(2, 2)).rgb(), QColor(115, 136, 193).rgb()) << "header row";
  for (int row : {1, 19, 5019}) {  // empty, and holding text
    grid->EnsureRowVisible(row);
    image = grid->grab().toImage();
    const QRect cell = grid->visualRect(grid->model()->index(row - 1, 1));
    // Top left corner of the cell: clear of the text (centred vertically) and of the grid lines.
    const QPoint corner = grid->viewport()->mapTo(grid.get(), cell.topLeft()) + QPoint(2, 2);
    EXPECT_EQ(image.pixelColor(corner).rgb(), QColor(80, 167, 133).rgb()) << "row " << row;
  }
}

TEST(Grid, HeaderIsRowZeroRowsGrowOneByOneAndComeBackEmpty) {
  auto grid = HistoryLikeGrid();
  EXPECT_EQ(grid->model()->rowCount(), 19) << "the header must not also be a record row";
  EXPECT_TRUE(grid->SetItemText(19, 4, "12-31 23:59"));
  EXPECT_EQ(grid->GetItemText(19, 4), "12-31 23:59");
  EXPECT_EQ(grid->AppendRow(), 20);
  EXPECT_TRUE(grid->SetItemText(20, 0, "20"));
  grid->SetRowCount(9);
  grid->SetRowCount(21);
  EXPECT_EQ(grid->GetItemText(20, 0), "") << "a row cut off and grown again must come back empty";
  grid->SetRowTexts(3, {"3", "База", "Тревога", "001", "01-01 00:00"});
  grid->ResetRows(20);
  EXPECT_EQ(grid->GetRowCount(), 20);
  EXPECT_EQ(grid->GetItemText(3, 1), "");
  EXPECT_EQ(grid->GetItemText(0, 1), "Название") << "a reset keeps the header";
  grid->SetSelectedRow(0);
  EXPECT_EQ(grid->GetSelectedRow(), -1) << "the header row cannot be selected";
  // Writes outside the table are refused and never grow it.
  for (auto [row, column] : std::vector<std::pair<int, int>>{{20, 0}, {-1, 0}, {1, 5}, {1, -1}}) {
    EXPECT_FALSE(grid->SetItemText(row, column, "x")) << row << "," << column;
    EXPECT_EQ(grid->GetItemText(row, column), "");
  }
  EXPECT_EQ(grid->GetRowCount(), 20);
}

TEST(Grid, ProportionalColumnsFillTheWidthAndFollowAResize) {
  CGridCtrl grid;
  grid.SetColumnCount(4);
  grid.SetRowCount(10);
  grid.resize(535 + 2 * grid.frameWidth() + 40, 300);
  grid.SetColumnProportions({35, 80, 200, 220});
  grid.show();
  EXPECT_NEAR(grid.GetColumnWidth(2), grid.viewport()->width() * 200 / 535, 1);
  for (int grow : {0, 100}) {
    grid.resize(grid.width() + grow, 300);
    int sum = 0;
    for (int c = 0; c < 4; ++c) sum += grid.GetColumnWidth(c);
    EXPECT_EQ(sum, grid.viewport()->width()) << "after growing by " << grow;
  }
}

// The history's proportions with one long record: room moves to the text that needs it, within
// the width, and what still cannot be shown whole is offered whole as a tip.
TEST(Grid, ColumnsMakeRoomForTheirLongestTextAndACutCellShowsItWholeAsATip) {
  const QVector<int> kProportions = {50, 150, 260, 150, 150};
  const QStringList record = {"1", "Приближается посетитель", "Постановка на охрану с телефона", "03",
                              "03/09 14:45"};
  const struct {
    const char* expect;
    int width;
    QStringList texts;
    bool allWhole;        // every text fits once the room is shared
    bool asProportioned;  // the widths are the proportions' own
  } rows[] = {
      {"the name gets room the zone column does not need",
       560,
       {"1", "Приближается посетитель", "Тревога", "03", "03/09 14:45"},
       true,
       false},
      {"long texts in several columns are all given room", 620, record, true, false},
      {"columns keep their shares when every text fits",
       900,
       {"1", "База", "Тревога", "03", "03/09 14:45"},
       true,
       true},
      {"a cell too long for any share is cut and offered whole as a tip", 240, record, false, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    auto grid = HistoryLikeGrid();
    grid->SetColumnProportions(kProportions);
    grid->resize(row.width, 300);
    grid->show();
    grid->SetRowTexts(1, row.texts);
    const int width = grid->viewport()->width();
    int sum = 0;
    bool anyCut = false;
    for (int column = 0; column < 5; ++column) {
      sum += grid->GetColumnWidth(column);
      if (row.asProportioned && column < 4) {
        const int share = width * kProportions[column] / 760;
        EXPECT_NEAR(grid->GetColumnWidth(column), share, 1);
      }
      for (int r : {0, 1}) {
        const bool cut = grid->IsCellCut(r, column);
        anyCut = anyCut || cut;
        EXPECT_EQ(grid->CellToolTip(r, column), cut ? grid->GetItemText(r, column) : QString())
            << "row " << r << " column " << column;
      }
    }
    EXPECT_EQ(sum, width) << "the columns no longer fill the view";
    EXPECT_EQ(!anyCut, row.allWhole);
    if (!row.allWhole) {
      // The tip itself, as a pointer resting on the cut name cell raises it.
      const QRect cell = grid->visualRect(grid->model()->index(0, 1));
      QHelpEvent help(QEvent::ToolTip, cell.center(), grid->viewport()->mapToGlobal(cell.center()));
      QApplication::sendEvent(grid->viewport(), &help);
      if (grid->IsCellCut(1, 1)) {
        EXPECT_EQ(QToolTip::text(), record[1]);
      }
      QToolTip::hideText();
    }
  }
}

TEST(TabCtrl, ReportsThePageInFrontOnceShownAndEachChosenPage) {
  for (int chosenBeforeShow : {0, 1}) {
    QWidget window;
    auto* tabs = new CTabCtrlEx(&window);
    QWidget* pages[] = {new QWidget, new QWidget};
    std::vector<std::pair<int, QWidget*>> shown;
    QObject::connect(tabs, &CTabCtrlEx::PageShown,
                     [&](int index, QWidget* page) { shown.emplace_back(index, page); });
    tabs->AddPage(pages[0], "Расписание");
    tabs->AddPage(pages[1], "Настройки");
    tabs->setCurrentIndex(chosenBeforeShow);
    EXPECT_TRUE(shown.empty()) << "a page is not in front before the control is on screen";
    window.show();
    ASSERT_EQ(shown.size(), 1u) << "the page in front is reported once when the dialog opens";
    const int other = 1 - chosenBeforeShow;
    tabs->setCurrentIndex(other);
    EXPECT_EQ(shown, (std::vector<std::pair<int, QWidget*>>{{chosenBeforeShow, pages[chosenBeforeShow]},
                                                            {other, pages[other]}}));
  }
}

TEST(PictureButton, DrawsNoBackgroundSwapsPicturesWhileHoveredAndClicksOnlyWithTheLeftButton) {
  QLabel parent;  // any widget with a background of its own
  parent.setAutoFillBackground(true);
  QPalette palette = parent.palette();
  palette.setColor(QPalette::Window, QColor(250, 0, 0));
  parent.setPalette(palette);
  parent.resize(200, 200);
  auto* button = new CPictureButton(&parent);
  button->SetIcons(":/icons/tile_arm.svg", ":/icons/tile_arm_hover.svg");
  button->SetLabel("Установка режимов");
  button->setGeometry(20, 20, 150, 150);
  const QImage image = parent.grab().toImage();
  EXPECT_EQ(image.pixelColor(22, 22), QColor(250, 0, 0)) << "the button must not paint a background";
  const QRect picture = button->PictureRect().translated(button->pos());
  EXPECT_NE(image.pixelColor(picture.center()), QColor(250, 0, 0)) << "the picture must be drawn";
  EXPECT_LT(picture.bottom(), button->LabelRect().translated(button->pos()).top()) << "picture above label";

  const QImage normal = button->grab().toImage();
  const QPointF centre = QRectF(button->rect()).center();
  QEnterEvent enter(centre, centre, button->mapToGlobal(centre));
  QApplication::sendEvent(button, &enter);
  EXPECT_NE(button->grab().toImage(), normal) << "the hover picture must be drawn";
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(button, &leave);
  EXPECT_EQ(button->grab().toImage(), normal) << "leaving must bring the normal picture back";

  int clicks = 0;
  QObject::connect(button, &QAbstractButton::clicked, [&] { ++clicks; });
  for (Qt::MouseButton pressed : {Qt::LeftButton, Qt::RightButton}) {
    QMouseEvent press(QEvent::MouseButtonPress, centre, button->mapToGlobal(centre), pressed, pressed,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, button->mapToGlobal(centre), pressed,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(button, &press);
    QApplication::sendEvent(button, &release);
  }
  EXPECT_EQ(clicks, 1) << "a right click is not a press of the tile";
}

TEST(Pictures, EveryIconLoadsAndDraws) {
  QStringList names{"app", "connected", "disconnected", "antenna", "port_arrow", "port_arrow_hover"};
  for (const char* tile :
       {"settings", "history", "arm", "schedule", "phone", "sensor", "mms", "smarthome", "upgrade"})
    names << QString("tile_%1").arg(tile) << QString("tile_%1_hover").arg(tile);
  for (const QString& name : names) {
    const QImage image = QIcon(QString(":/icons/%1.svg").arg(name)).pixmap(48, 48).toImage();
    ASSERT_FALSE(image.isNull()) << "missing resource or SVG image plugin: " << name.toStdString();
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) opaque += qAlpha(image.pixel(x, y)) > 0;
    EXPECT_GT(opaque, 48 * 48 / 20) << name.toStdString() << " draws almost nothing";
  }
}

}  // namespace
