#include "features/sensors/CSensorEditPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "link/Notifier.h"
#include "ui/DigitEdit.h"
#include "ui/QtText.h"

namespace codec = veyra::sensors;

namespace {

QComboBox* NewList(QWidget* parent, const auto& texts) {
  auto* list = new QComboBox(parent);
  list->addItems(TrTextList(texts));
  list->setCurrentIndex(0);
  return list;
}

}  // namespace

CSensorEditPage::CSensorEditPage(QWidget* parent) : CHostPage(parent), m_listenTimer(new QTimer(this)) {
  m_listenTimer->setInterval(1000);
  connect(m_listenTimer, &QTimer::timeout, this, [this] {
    --m_secondsLeft;
    ShowListening();
  });
  auto* learnGroup = new QGroupBox(tr("Присвоить код"), this);
  m_learnType = NewList(learnGroup, codec::LearnTypeTexts);
  m_learnMode = NewList(learnGroup, codec::LearnModeTexts);
  m_zone = NewDigitEdit(learnGroup, codec::kZoneFieldMaxDigits);
  m_learn = new QPushButton(tr("Нажмите для установки кода"), learnGroup);
  auto* learnFields = new QGridLayout(learnGroup);
  learnFields->addWidget(new QLabel(tr("Название:"), learnGroup), 0, 0);
  learnFields->addWidget(m_learnType, 0, 1);
  learnFields->addWidget(new QLabel(tr("Режим:"), learnGroup), 1, 0);
  learnFields->addWidget(m_learnMode, 1, 1);
  learnFields->addWidget(new QLabel(tr("Зона:"), learnGroup), 2, 0);
  learnFields->addWidget(m_zone, 2, 1);
  learnFields->addWidget(m_learn, 3, 0, 1, 2);
  learnFields->setRowStretch(4, 1);

  auto* deleteGroup = new QGroupBox(tr("Удалить датчик"), this);
  m_deleteKind = NewList(deleteGroup, codec::DeleteKindTexts);
  m_number = NewDigitEdit(deleteGroup, codec::kNumberFieldMaxDigits);
  m_delete = new QPushButton(tr("Удалить датчик"), deleteGroup);
  m_deleteAllRemotes = new QPushButton(tr("Удалить все пульты"), deleteGroup);
  m_deleteAllSensors = new QPushButton(tr("Удалить все датчики"), deleteGroup);
  m_deleteAllDoorbells = new QPushButton(tr("Удалить все звонки"), deleteGroup);
  auto* deleteFields = new QGridLayout(deleteGroup);
  deleteFields->addWidget(new QLabel(tr("Название:"), deleteGroup), 0, 0);
  deleteFields->addWidget(m_deleteKind, 0, 1);
  deleteFields->addWidget(new QLabel(tr("NO. датчика:"), deleteGroup), 1, 0);
  deleteFields->addWidget(m_number, 1, 1);
  deleteFields->addWidget(m_delete, 2, 0, 1, 2);
  deleteFields->addWidget(m_deleteAllRemotes, 3, 0, 1, 2);
  deleteFields->addWidget(m_deleteAllSensors, 4, 0, 1, 2);
  deleteFields->addWidget(m_deleteAllDoorbells, 5, 0, 1, 2);
  deleteFields->setRowStretch(6, 1);

  auto* sirenGroup = new QGroupBox(tr("ID беспроводной сирены"), this);
  m_sirenId = NewDigitEdit(sirenGroup, codec::kSirenIdDigits);
  m_setSirenId = new QPushButton(tr("Установить"), sirenGroup);
  auto* sirenFields = new QHBoxLayout(sirenGroup);
  sirenFields->addWidget(new QLabel(tr("ID:"), sirenGroup));
  sirenFields->addWidget(m_sirenId, 1);
  sirenFields->addWidget(m_setSirenId);

  auto* columns = new QHBoxLayout;
  columns->addWidget(learnGroup, 1);
  columns->addWidget(deleteGroup, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns, 1);
  layout->addWidget(sirenGroup);

  using codec::DeleteAllKind;
  connect(m_learn, &QPushButton::clicked, this, &CSensorEditPage::OnLearn);
  connect(m_delete, &QPushButton::clicked, this, &CSensorEditPage::OnDelete);
  connect(m_deleteAllRemotes, &QPushButton::clicked, this, [this] { OnDeleteAll(DeleteAllKind::Remotes); });
  connect(m_deleteAllSensors, &QPushButton::clicked, this, [this] { OnDeleteAll(DeleteAllKind::Sensors); });
  connect(m_deleteAllDoorbells, &QPushButton::clicked, this,
          [this] { OnDeleteAll(DeleteAllKind::Doorbells); });
  connect(m_setSirenId, &QPushButton::clicked, this, &CSensorEditPage::OnSetSirenId);
}

void CSensorEditPage::SendRequest(const codec::SensorRequest& request) {
  m_listenTimer->stop();  // another command: what the line said of the learning is over
  if (!request.payload) {
    veyra::Messages().Show(*request.refusal);
    return;
  }
  Link().Send(*request.payload, codec::EditNoReplyText(*request.payload));
}

void CSensorEditPage::OnLearn() {
  if (!veyra::DialogLink::HostReady(codec::kEditHostNotFoundText)) return;
  SendRequest(codec::LearnRequest(m_learnType->currentIndex(), m_learnMode->currentIndex(),
                                  m_zone->text().toStdString()));
}

void CSensorEditPage::OnDelete() {
  if (!veyra::DialogLink::HostReady(codec::kEditHostNotFoundText)) return;
  SendRequest(codec::DeleteOneRequest(m_deleteKind->currentIndex(), m_number->text().toStdString()));
}

void CSensorEditPage::OnDeleteAll(codec::DeleteAllKind kind) {
  if (!veyra::DialogLink::HostReady(codec::kEditHostNotFoundText)) return;
  if (!veyra::Messages().Ask(veyra::OwnedMessage(codec::DeleteAllQuestion(kind)))) return;
  m_listenTimer->stop();
  const veyra::Bytes payload = codec::DeleteAllPayload(kind);
  Link().Send(payload, codec::EditNoReplyText(payload));
}

void CSensorEditPage::OnSetSirenId() {
  if (!veyra::DialogLink::HostReady(codec::kEditHostNotFoundText)) return;
  SendRequest(codec::SirenIdRequest(m_sirenId->text().toStdString()));
}

void CSensorEditPage::OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) {
  if (const auto message = codec::EditReplyMessage(sentFrame, receivedFrame, Link().Acks())) {
    veyra::Messages().Show(*message);
    StartListening();
  }
  if (const auto status = codec::EditReplyStatus(sentFrame, receivedFrame, Link().Acks()))
    ShowStatus(TrText(*status));
}

bool CSensorEditPage::Listening() const { return m_listenTimer->isActive(); }

void CSensorEditPage::StartListening() {
  m_secondsLeft = m_listenSeconds;
  ShowListening();
  m_listenTimer->start();
}

void CSensorEditPage::ShowListening() {
  if (m_secondsLeft > 0) {
    ShowStatus(tr("Хост ждёт сигнала датчика: осталось %1 с").arg(m_secondsLeft));
    return;
  }
  m_listenTimer->stop();
  ShowStatus(tr("Ожидание датчика окончено: проверьте «Список датчиков»"));
}

void CSensorEditPage::keyPressEvent(QKeyEvent* event) {
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  // Enter on another button in focus must not learn in its place: that press does nothing.
  const auto* button = qobject_cast<QPushButton*>(focusWidget());
  const bool otherButton = button && button != m_learn;
  if (plain && !otherButton && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
    event->accept();
    OnLearn();
    return;
  }
  CHostPage::keyPressEvent(event);
}
