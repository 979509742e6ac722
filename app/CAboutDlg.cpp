#include "app/CAboutDlg.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "veyra/Version.h"

CAboutDlg::CAboutDlg(QWidget* parent) : CDialogBase(parent) {
  setWindowTitle(tr("About Norvane"));
  setWindowIcon(QIcon(QStringLiteral(":/icons/app.svg")));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 12, 16, 12);
  auto* row = new QHBoxLayout;
  auto* icon = new QLabel(this);
  icon->setPixmap(QIcon(QStringLiteral(":/icons/app.svg")).pixmap(48, 48));
  row->addWidget(icon);
  row->addWidget(
      new QLabel(tr("Norvane 3G Alarm Setup, version %1").arg(QLatin1String(veyra::kVersion)), this), 1);
  layout->addLayout(row);
  m_confirm = new QPushButton(tr("Подтвердить "), this);
  layout->addWidget(m_confirm, 0, Qt::AlignRight);
  connect(m_confirm, &QPushButton::clicked, this, &QDialog::accept);
  DisableAutoDefault(this);
  resize(340, 140);
}
