#include "app/CLoginDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "session/LoginCodec.h"
#include "ui/DigitEdit.h"

CLoginDlg::CLoginDlg(QWidget* parent) : CDialogBase(parent) {
  setWindowTitle(tr("Авторизация"));
  SetStatusLineShown(true);  // says why OK did not close it
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 12, 16, 12);
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(tr("Пароль:"), this));
  // The host's password is four digits; anything else would log in with some other number.
  m_field = NewDigitEdit(this, kPasswordDigits);
  m_field->setEchoMode(QLineEdit::Password);
  m_field->setObjectName(QStringLiteral("password"));
  row->addWidget(m_field);
  layout->addLayout(row);
  m_ok = new QPushButton(tr("OK"), this);
  layout->addWidget(m_ok, 0, Qt::AlignRight);
  connect(m_ok, &QPushButton::clicked, this, &CLoginDlg::AcceptFourDigits);
  DisableAutoDefault(this);
  resize(300, 130);
  m_field->setFocus();
}

int CLoginDlg::Password() const { return veyra::session::ParsePassword(m_field->text().toStdString()); }

void CLoginDlg::AcceptFourDigits() {
  if (m_field->text().size() != kPasswordDigits) {
    ShowStatus(tr("Введите пароль из четырёх цифр"));
    m_field->setFocus();
    return;
  }
  accept();
}

void CLoginDlg::OnEnter() { AcceptFourDigits(); }
