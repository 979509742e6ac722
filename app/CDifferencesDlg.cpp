#include "app/CDifferencesDlg.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "backup/FieldWords.h"
#include "ui/CGridCtrl.h"
#include "ui/QtText.h"

using namespace veyra::backup;

namespace {

QString Shown(const Words& words) {
  QString text;
  for (const WordPiece& piece : words) text += piece.translate ? TrText(piece.text) : ToQt(piece.text);
  return text;
}

}  // namespace

CDifferencesDlg::CDifferencesDlg(const QString& path, const std::vector<FieldDifference>& differences,
                                 QWidget* parent)
    : CDialogBase(parent) {
  setWindowTitle(tr("Отличия от файла"));
  m_summary = new QLabel(tr("Файл %1: отличий от 3G камеры %2.").arg(path).arg(differences.size()), this);
  m_summary->setWordWrap(true);

  m_grid = new CGridCtrl(this);
  m_grid->SetColumnCount(kColumnCount);
  m_grid->SetHeaderTexts({tr("Раздел"), tr("Поле"), tr("В файле"), tr("В камере")});
  m_grid->SetColumnProportions({150, 260, 140, 140});
  m_grid->SetRowCount(static_cast<int>(differences.size()) + 1);
  int row = 1;
  for (const FieldDifference& d : differences) {
    const FieldWording wording = WordsOfField(d.field);
    m_grid->SetRowTexts(row++, {TrText(wording.area), Shown(wording.field),
                                Shown(WordsOfValue(d.field, d.file)), Shown(WordsOfValue(d.field, d.host))});
  }
  m_grid->setAccessibleName(tr("Отличия от файла"));
  m_grid->setAccessibleDescription(tr("Раздел, поле, значение в файле и в 3G камере"));

  m_close = new QPushButton(tr("Закрыть"), this);
  connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(m_close);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->addWidget(m_summary);
  layout->addWidget(m_grid, 1);
  layout->addLayout(buttons);
  FitToScreen(static_cast<int>(differences.size()) + 1);
}

// Tall enough for every row when they fit, never taller than the screen it opens on: a long
// list scrolls in the table instead of pushing the close button off the screen.
void CDifferencesDlg::FitToScreen(int rows) {
  const QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen();
  const QRect available = screen->availableGeometry();
  const int rowHeight = m_grid->verticalHeader()->defaultSectionSize();
  const int wanted = layout()->sizeHint().height() + rows * rowHeight;
  const int height = std::min(wanted, available.height() * 4 / 5);
  const int width = std::min(720, available.width() * 9 / 10);
  setMaximumHeight(available.height());
  resize(width, height);
}
