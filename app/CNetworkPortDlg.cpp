#include "app/CNetworkPortDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "link/NetworkPort.h"

CNetworkPortDlg::CNetworkPortDlg(QWidget* parent) : CDialogBase(parent) {
  setWindowTitle(tr("Сетевой порт"));
  SetStatusLineShown(true);  // says why OK did not close it
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 12, 16, 12);
  auto* row = new QHBoxLayout;
  auto* label = new QLabel(tr("Адрес:"), this);
  row->addWidget(label);
  m_field = new QLineEdit(this);
  m_field->setObjectName(QStringLiteral("url"));
  m_field->setAccessibleName(tr("Адрес сетевого порта"));
  label->setBuddy(m_field);
  row->addWidget(m_field, 1);
  layout->addLayout(row);
  layout->addWidget(new QLabel(
      tr("tcp://АДРЕС:ПОРТ — байты как есть,\nrfc2217://АДРЕС:ПОРТ — с настройкой линии (RFC 2217)"), this));
  m_ok = new QPushButton(tr("OK"), this);
  layout->addWidget(m_ok, 0, Qt::AlignRight);
  connect(m_ok, &QPushButton::clicked, this, &CNetworkPortDlg::AcceptWellFormed);
  DisableAutoDefault(this);
  resize(520, 160);
  m_field->setFocus();
}

QString CNetworkPortDlg::Url() const { return m_field->text().trimmed(); }

void CNetworkPortDlg::AcceptWellFormed() {
  if (!veyra::ParseNetworkPort(Url().toStdString())) {
    // The forms are shown above the field; the line says only that this is none of them.
    ShowStatus(tr("Адрес не понят: проверьте его вид и порт (от 1 до 65535)"));
    m_field->setFocus();
    return;
  }
  accept();
}

void CNetworkPortDlg::OnEnter() { AcceptWellFormed(); }
