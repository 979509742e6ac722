#include "features/sensors/CMmsSettingDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <iterator>

#include "features/sensors/MmsCodec.h"
#include "link/Notifier.h"
#include "ui/QtText.h"

namespace codec = veyra::sensors;

namespace {

std::string Typed(const QLineEdit* edit) { return edit->text().toStdString(); }

}  // namespace

CMmsSettingDlg::CMmsSettingDlg(QWidget* parent) : CHostDialog(parent) {
  setWindowTitle(tr("MMS Setting"));

  m_apn = new QLineEdit(this);
  m_user = new QLineEdit(this);
  m_password = new QLineEdit(this);  // shown in clear: it is the operator's published password
  m_url = new QLineEdit(this);
  m_ip = new QLineEdit(this);
  m_port = new QLineEdit(this);
  m_wap = new QComboBox(this);
  m_wap->addItems(ToQtList(codec::WapVersionTexts));
  m_wap->setCurrentIndex(static_cast<int>(codec::WapVersion::Wap20));
  m_wap->setAccessibleName(tr("Версия WAP"));
  m_phone = new QLineEdit(this);
  const QString set = tr("SET");
  m_setApn = new QPushButton(set, this);
  m_setUser = new QPushButton(set, this);
  m_setUrl = new QPushButton(set, this);
  m_setGateway = new QPushButton(set, this);
  m_sendTest = new QPushButton(tr("Send"), this);

  // Columns: label, field, second label, second field, WAP list, button.
  auto* rows = new QGridLayout;
  rows->setHorizontalSpacing(8);
  rows->setVerticalSpacing(10);
  const auto label = [this](const QString& text) { return new QLabel(text, this); };
  rows->addWidget(label(tr("APN:")), 0, 0);
  rows->addWidget(m_apn, 0, 1, 1, 4);
  rows->addWidget(m_setApn, 0, 5);
  rows->addWidget(label(tr("USER:")), 1, 0);
  rows->addWidget(m_user, 1, 1);
  rows->addWidget(label(tr("PASSWORD:")), 1, 2);
  rows->addWidget(m_password, 1, 3, 1, 2);
  rows->addWidget(m_setUser, 1, 5);
  rows->addWidget(label(tr("URL:")), 2, 0);
  rows->addWidget(m_url, 2, 1, 1, 4);
  rows->addWidget(m_setUrl, 2, 5);
  rows->addWidget(label(tr("IP:")), 3, 0);
  rows->addWidget(m_ip, 3, 1);
  rows->addWidget(label(tr("PORT:")), 3, 2);
  rows->addWidget(m_port, 3, 3);
  rows->addWidget(m_wap, 3, 4);
  rows->addWidget(m_setGateway, 3, 5);
  rows->setColumnStretch(1, 2);
  rows->setColumnStretch(3, 1);

  auto* test = new QGroupBox(tr("Send MMS Test"), this);
  auto* testRow = new QHBoxLayout(test);
  testRow->addWidget(new QLabel(tr("Phone:"), test));
  testRow->addWidget(m_phone, 1);
  testRow->addWidget(m_sendTest);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 12, 16, 16);
  layout->setSpacing(14);
  layout->addLayout(rows);
  layout->addWidget(test);

  connect(m_setApn, &QPushButton::clicked, this, &CMmsSettingDlg::OnSetApn);
  connect(m_setUser, &QPushButton::clicked, this, &CMmsSettingDlg::OnSetUser);
  connect(m_setUrl, &QPushButton::clicked, this, &CMmsSettingDlg::OnSetUrl);
  connect(m_setGateway, &QPushButton::clicked, this, &CMmsSettingDlg::OnSetGateway);
  connect(m_sendTest, &QPushButton::clicked, this, &CMmsSettingDlg::OnSendTest);
  // Row by row, each row's button after its fields: the buttons were made before the rows.
  QWidget* order[] = {m_apn, m_setApn, m_user, m_password,   m_setUser, m_url,     m_setUrl,
                      m_ip,  m_port,   m_wap,  m_setGateway, m_phone,   m_sendTest};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
  resize(560, 240);
}

template <class Build>
void CMmsSettingDlg::SendBuilt(Build build) {
  if (!veyra::DialogLink::HostReady(codec::kMmsHostNotFoundText)) return;
  const codec::MmsRequest request = build();
  if (!request.payload) {
    veyra::Messages().Show(*request.refusal);
    return;
  }
  Link().Send(*request.payload, codec::kMmsNoReplyText);
}

void CMmsSettingDlg::OnSetApn() {
  SendBuilt([this] { return codec::MmsApnPayload(Typed(m_apn)); });
}

void CMmsSettingDlg::OnSetUser() {
  SendBuilt([this] { return codec::MmsUserPayload(Typed(m_user), Typed(m_password)); });
}

void CMmsSettingDlg::OnSetUrl() {
  SendBuilt([this] { return codec::MmsUrlPayload(Typed(m_url)); });
}

void CMmsSettingDlg::OnSetGateway() {
  SendBuilt([this] {
    const auto version = m_wap->currentIndex() == static_cast<int>(codec::WapVersion::Wap12)
                             ? codec::WapVersion::Wap12
                             : codec::WapVersion::Wap20;
    return codec::MmsGatewayPayload(Typed(m_ip), Typed(m_port), version);
  });
}

void CMmsSettingDlg::OnSendTest() {
  SendBuilt([this] { return codec::MmsTestPayload(Typed(m_phone)); });
}

void CMmsSettingDlg::OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) {
  if (const auto message = codec::MmsReplyMessage(sentFrame, receivedFrame)) veyra::Messages().Show(*message);
  if (const auto status = codec::MmsReplyStatus(sentFrame, receivedFrame, Link().Acks()))
    ShowStatus(TrText(*status));
}
