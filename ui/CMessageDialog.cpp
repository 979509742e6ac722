#include "ui/CMessageDialog.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QStyle::StandardPixmap PixmapOf(QMessageBox::Icon icon) {
  switch (icon) {
    case QMessageBox::Information:
      return QStyle::SP_MessageBoxInformation;
    case QMessageBox::Warning:
      return QStyle::SP_MessageBoxWarning;
    case QMessageBox::Critical:
      return QStyle::SP_MessageBoxCritical;
    case QMessageBox::Question:
      return QStyle::SP_MessageBoxQuestion;
    case QMessageBox::NoIcon:
      break;
  }
  return QStyle::SP_CustomBase;
}

}  // namespace

CMessageDialog::CMessageDialog(QMessageBox::Icon icon, const QString& caption, const QString& text, Kind kind,
                               QWidget* owner)
    : CDialogBase(owner), m_icon(icon) {
  setWindowTitle(caption);
  // An owned box shows its window's picture; one with no window of its own, the program's.
  if (windowIcon().isNull()) setWindowIcon(QIcon(QStringLiteral(":/icons/app.svg")));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 14, 16, 12);
  layout->setSpacing(12);
  auto* row = new QHBoxLayout;
  row->setSpacing(14);
  if (const QStyle::StandardPixmap pixmap = PixmapOf(icon); pixmap != QStyle::SP_CustomBase) {
    auto* picture = new QLabel(this);
    const int extent = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    picture->setPixmap(style()->standardIcon(pixmap, nullptr, this).pixmap(extent, extent));
    picture->setAlignment(Qt::AlignTop);
    row->addWidget(picture);
  }
  auto* texts = new QVBoxLayout;
  m_text = new QLabel(text, this);
  m_text->setTextFormat(Qt::PlainText);  // a host's bytes are never markup
  m_text->setWordWrap(true);
  m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_text->setMinimumWidth(280);
  texts->addWidget(m_text);
  m_detail = new QLabel(this);
  m_detail->setTextFormat(Qt::PlainText);
  m_detail->setWordWrap(true);
  m_detail->hide();
  texts->addWidget(m_detail);
  row->addLayout(texts, 1);
  layout->addLayout(row);

  const bool question = kind == Kind::Question;
  m_buttons = new QDialogButtonBox(question ? QDialogButtonBox::Yes | QDialogButtonBox::No
                                            : QDialogButtonBox::StandardButtons(QDialogButtonBox::Ok),
                                   this);
  // Named by our catalogue, like every other button of the program: Qt's own would leave "OK" in
  // Latin letters in the Russian windows.
  if (question) {
    m_buttons->button(QDialogButtonBox::Yes)->setText(tr("Да"));
    m_buttons->button(QDialogButtonBox::No)->setText(tr("Нет"));
  } else {
    m_buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
  }
  m_default = question ? m_buttons->button(QDialogButtonBox::No) : m_buttons->button(QDialogButtonBox::Ok);
  connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(m_buttons);
  // Closing the box any other way (Escape, the caption's cross) is OK for a message, No for a question.
  SetMinimizable(false);
  adjustSize();  // as large as its text, not a window's default size
}

void CMessageDialog::setInformativeText(const QString& text) {
  m_detail->setText(text);
  m_detail->setVisible(!text.isEmpty());
  adjustSize();
}

QString CMessageDialog::text() const { return m_text->text(); }

QString CMessageDialog::informativeText() const { return m_detail->text(); }

QList<QAbstractButton*> CMessageDialog::buttons() const { return m_buttons->buttons(); }

void CMessageDialog::OnEnter() {
  auto* focused = qobject_cast<QAbstractButton*>(focusWidget());
  if (focused && m_buttons->buttons().contains(focused)) {
    focused->click();
    return;
  }
  m_default->click();
}

void CMessageDialog::showEvent(QShowEvent* event) {
  CDialogBase::showEvent(event);
  m_default->setFocus(Qt::OtherFocusReason);
}
