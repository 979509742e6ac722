#include "app/CMainDlg.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "link/ComPorts.h"
#include "link/Config.h"
#include "link/HostPort.h"
#include "link/IniFile.h"
#include "link/Notifier.h"
#include "app/CAboutDlg.h"
#include "app/CLoginDlg.h"
#include "app/CPortCombo.h"
#include "app/FeatureDialogs.h"
#include "session/LoginCodec.h"
#include "ui/CPictureButton.h"

namespace {

struct TileInfo {
  const char* label;
  const char* icon;
  const char* tooltipKey;  // [main] key, or nullptr
};

// Row by row from the top left.
const TileInfo kTiles[CMainDlg::kTileCount] = {
    {"Настройки системы", "tile_settings", "m_xtsz"},
    {"Журнал тревог", "tile_history", "m_lsjl"},
    {"Установка режимов", "tile_arm", "m_zjcz"},
    {"Расписания", "tile_schedule", "m_dsbcf"},
    {"Настройки телефонных номеров", "tile_phone", "m_bjdhsz"},
    {"Настройки датчиков", "tile_sensor", nullptr},
    {"MMS Setting", "tile_mms", nullptr},
    {"Умный дом", "tile_smarthome", nullptr},
    {"Обновление", "tile_upgrade", "m_xtsj"},
};

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

CMainDlg::CMainDlg(veyra::HostPort& port, QWidget* parent)
    : CDialogBase(parent), m_port(port), m_search(*this, *this) {
  m_prompt = [this]() -> std::optional<int> {
    CLoginDlg login(this);
    if (login.exec() != QDialog::Accepted) return std::nullopt;
    return login.Password();
  };
  m_runDialog = [](CDialogBase& dialog) { dialog.exec(); };

  veyra::HostFound = 0;
  if (veyra::EnsureDefaultConfig() == veyra::DefaultConfigResult::Failed)
    veyra::Messages().Show({"Please Copy to Harddisk Run!", "", true, veyra::Icon::None});
  AddSystemMenuEntry(QStringLiteral("About Norvane(&A)..."), [this] { ShowAbout(); });
  setWindowTitle(QStringLiteral("Утилита настройки системы 3G видео-сигнализации"));
  setWindowIcon(QIcon(QStringLiteral(":/icons/app.svg")));
  SetMinimizable(true);
  SetCommn(&m_port);
  BuildLayout();
  EnumeratePorts();
  m_connectedPicture = QIcon(QStringLiteral(":/icons/connected.svg")).pixmap(40, 40);
  m_disconnectedPicture = QIcon(QStringLiteral(":/icons/disconnected.svg")).pixmap(40, 40);
  ApplyPicture(false);
  LoadTooltips();
}

CMainDlg::~CMainDlg() {
  // The port stops before the window goes, so no reply can reach a half-destroyed window.
  if (m_port.IsOpen()) m_port.Close();
  ReleasePort();
}

void CMainDlg::BuildLayout() {
  auto* outer = new QHBoxLayout(this);
  const QRect client = ClientRect();
  outer->setContentsMargins(client.left() + 10, client.top() + 10, 14, 12);
  outer->setSpacing(16);

  auto* left = new QVBoxLayout;
  auto* portRow = new QHBoxLayout;
  m_portList = new CPortCombo(this);
  m_portList->setMinimumWidth(90);
  m_portList->SetBeforePopup([this] { RefreshPortList(true); });
  portRow->addWidget(m_portList, 1);
  m_picture = new QLabel(this);
  m_picture->setFixedSize(40, 40);
  portRow->addWidget(m_picture);
  left->addLayout(portRow);
  m_openClose = new QPushButton(QStringLiteral("Открыть COM-порт"), this);
  connect(m_openClose, &QPushButton::clicked, this, [this] { TogglePort(); });
  left->addWidget(m_openClose);
  m_searchButton = new QPushButton(QStringLiteral("Поиск 3G-камеры"), this);
  connect(m_searchButton, &QPushButton::clicked, this, [this] { OnSearchButton(); });
  left->addWidget(m_searchButton);
  auto* decoration = new QLabel(this);
  decoration->setPixmap(QIcon(QStringLiteral(":/icons/antenna.svg")).pixmap(120, 120));
  decoration->setAlignment(Qt::AlignCenter);
  left->addWidget(decoration, 1);
  m_status = new QLabel(QStringLiteral("Поиск статус"), this);
  m_status->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  m_status->setWordWrap(true);
  m_status->setMinimumHeight(44);
  left->addWidget(m_status);
  outer->addLayout(left, 0);

  auto* right = new QVBoxLayout;
  auto* grid = new QGridLayout;
  grid->setSpacing(10);
  for (int i = 0; i < kTileCount; ++i) {
    auto* tile = new CPictureButton(this);
    const QString icon = QStringLiteral(":/icons/%1.svg").arg(QLatin1String(kTiles[i].icon));
    const QString hover = QStringLiteral(":/icons/%1_hover.svg").arg(QLatin1String(kTiles[i].icon));
    tile->SetIcons(icon, hover);
    tile->SetPictureSize(QSize(64, 64));
    tile->SetLabel(QString::fromUtf8(kTiles[i].label));
    tile->setMinimumWidth(130);
    connect(tile, &CPictureButton::clicked, this, [this, i] { OpenTile(i); });
    grid->addWidget(tile, i / 3, i % 3);
    m_tiles[static_cast<std::size_t>(i)] = tile;
  }
  right->addLayout(grid, 1);
  auto* welcome = new QLabel(QStringLiteral("Добро пожаловать в 3G видео сигнализацию «Veyra»(V3.2)"), this);
  welcome->setAlignment(Qt::AlignRight);
  right->addWidget(welcome);
  outer->addLayout(right, 1);
  DisableAutoDefault(this);
  resize(720, 470);
}

void CMainDlg::LoadTooltips() {
  const std::optional<veyra::IniFile> ini = veyra::IniFile::Open(veyra::GetConfigPath(), true);
  if (!ini) {
    veyra::Messages().Show({"Loading config.ini Failure!！\n", "Failure!", false, veyra::Icon::None});
  } else {
    for (int i = 0; i < kTileCount; ++i)
      if (kTiles[i].tooltipKey) m_tiles[static_cast<std::size_t>(i)]->setToolTip(Q(ini->GetValue("main", kTiles[i].tooltipKey)));
  }
  m_tiles[Mms]->setToolTip(QStringLiteral("MMS Set"));
}

void CMainDlg::RefreshPortList(bool keepSelection) {
  const std::optional<std::vector<veyra::ComPort>> ports = veyra::ListComPorts();
  if (!ports) {
    veyra::Messages().Show(veyra::session::PortListFailureMessage());
    return;
  }
  const QString previous = m_portList->currentText();
  m_portNames.clear();
  for (const veyra::ComPort& port : *ports) m_portNames.push_back(port.name);
  m_portList->clear();
  m_portList->addItem(QString::fromUtf8(veyra::session::kAutoPortText));
  for (const std::string& name : m_portNames) m_portList->addItem(Q(name));
  const int keep = keepSelection ? m_portList->findText(previous) : -1;
  m_portList->setCurrentIndex(keep >= 0 ? keep : 0);
}

void CMainDlg::EnumeratePorts() { RefreshPortList(false); }

void CMainDlg::Post(std::function<void()> update) {
  QMetaObject::invokeMethod(this, std::move(update), Qt::QueuedConnection);
}

void CMainDlg::SetStatus(const std::string& text) {
  Post([this, text] { m_status->setText(Q(text)); });
}

void CMainDlg::ShowPortState(bool open) {
  Post([this, open] { ApplyPortState(open); });
}

void CMainDlg::SelectPort(const std::string& portText) {
  Post([this, portText] {
    const int index = m_portList->findText(Q(portText), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) m_portList->setCurrentIndex(index);
  });
}

void CMainDlg::ApplyPortState(bool open) {
  m_openClose->setText(open ? QStringLiteral("Закрыть COM-порт") : QStringLiteral("Открыть COM-порт"));
  ApplyPicture(open);
  update();
}

void CMainDlg::ApplyPicture(bool connected) {
  m_connectedShown = connected;
  m_picture->setPixmap(connected ? m_connectedPicture : m_disconnectedPicture);
  m_picture->setToolTip(connected ? QStringLiteral("Connected") : QStringLiteral("Not connected"));
}

int CMainDlg::SearchHost() {
  m_selectedPortText = m_portList->currentText().toStdString();
  m_search.SearchHost(m_portNames, m_selectedPortText, m_password);
  return 0;
}

void CMainDlg::OnSearchButton() {
  EnumeratePorts();
  const std::optional<int> password = m_prompt();
  if (!password) return;  // closed without OK: no search, nothing sent
  m_password = *password;
  SearchHost();
  veyra::HostFound = m_search.LoginAccepted();
  const bool found = veyra::HostFound == 1;
  Post([this, found] {
    ApplyPicture(found);
    update();
  });
}

void CMainDlg::TogglePort() {
  const QString text = m_portList->currentText();
  if (text == QString::fromUtf8(veyra::session::kAutoPortText)) {
    veyra::Messages().Show(veyra::session::ChoosePortMessage());
    return;
  }
  if (IsPortOpen()) {
    ClosePort();
    veyra::HostFound = 0;
    ShowPortState(false);
    return;
  }
  if (OpenPort(veyra::ParsePortNumber(text.toStdString()))) {
    ShowPortState(true);
    veyra::HostFound = 1;
  } else {
    ShowPortState(false);
  }
}

void CMainDlg::OnReply(const veyra::Bytes& sentFrame, const veyra::Bytes& receivedFrame) {
  m_search.OnReply(sentFrame, receivedFrame);
}

template <class Dialog>
void CMainDlg::RunFeature() {
  Dialog dialog(this);
  dialog.SetCommn(&m_port);
  m_runDialog(dialog);
  SetCommn(&m_port);
}

void CMainDlg::OpenTile(int tile) {
  switch (tile) {
    case Upgrade:
      veyra::Messages().Show({"Извините, у вас нет полномочий для обновления системы!", "", true, veyra::Icon::None});
      return;
#define VEYRA_FEATURE_TILE(TILE, DIALOG) \
  case TILE:                             \
    RunFeature<DIALOG>();                \
    return;
      VEYRA_FEATURE_TILES
#undef VEYRA_FEATURE_TILE
    default:
      return;  // a feature not built yet does nothing
  }
}

void CMainDlg::ShowAbout() {
  CAboutDlg about(this);
  m_runDialog(about);
}
