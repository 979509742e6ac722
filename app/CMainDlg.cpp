#include "app/CMainDlg.h"

#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "app/CAboutDlg.h"
#include "app/CLoginDlg.h"
#include "app/CNetworkPortDlg.h"
#include "app/CPortCombo.h"
#include "app/TileDescriptions.h"
#include "link/ComPorts.h"
#include "link/Config.h"
#include "link/HostPort.h"
#include "link/IniFile.h"
#include "link/NetworkPort.h"
#include "link/Notifier.h"
#include "session/LoginCodec.h"
#include "ui/CPictureButton.h"
#include "ui/QtText.h"

namespace {

const QString kLastPortKey = QStringLiteral("port/last");
const QString kUrlsKey = QStringLiteral("port/urls");
const QString kPositionKey = QStringLiteral("window/position");

// What the window remembers between runs, kept apart from config.ini, which holds the host's
// command table and may be a portable copy beside the executable: in the user's folder, as a file
// on every system (not the Windows registry). Its path is worked out at each use, since tests move
// that folder for every window they build.
QString& RememberedStateName() {
  static QString name = QStringLiteral("veyra-setup.conf");
  return name;
}

QString RememberedStatePath() {
  QString folder = QString::fromStdString(veyra::UserConfigDirectory());
  // No home at all: Qt's own idea of a place, rather than the root of the file system.
  if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  return folder + QStringLiteral("/") + RememberedStateName();
}

// Only well-formed ones: the file may have been edited by hand, and an entry that cannot open
// would be offered for ever.
QStringList RememberedUrls() {
  const QSettings settings(RememberedStatePath(), QSettings::IniFormat);
  QStringList urls;
  for (const QString& url : settings.value(kUrlsKey).toStringList())
    if (veyra::ParseNetworkPort(url.toStdString()) && !urls.contains(url) &&
        urls.size() < CMainDlg::kRememberedUrls)
      urls << url;
  return urls;
}

}  // namespace

void CMainDlg::RememberIn(const QString& fileName) { RememberedStateName() = fileName; }

CMainDlg::CMainDlg(veyra::HostPort& port, QWidget* parent)
    : CDialogBase(parent),
      m_port(port),
      m_link([this](const veyra::Bytes& sent, const veyra::Bytes& received) {
        m_search.OnReply(sent, received);
      }),
      m_search(m_link, *this),
      m_backup(port, this),
      m_trafficLog(port, this, RememberedStatePath) {
  m_prompt = [this]() -> std::optional<int> {
    CLoginDlg login(this);
    if (login.exec() != QDialog::Accepted) return std::nullopt;
    return login.Password();
  };
  m_runDialog = [](CDialogBase& dialog) { dialog.exec(); };

  veyra::HostFound = 0;
  if (const auto config = veyra::EnsureDefaultConfig();
      config == veyra::DefaultConfigResult::Failed || config == veyra::DefaultConfigResult::Unreadable)
    veyra::Messages().Show({"Please Copy to Harddisk Run!", "", true, veyra::Icon::None});
  AddSystemMenuEntry(CBackupActions::SaveText(), [this] { m_backup.Save(); });
  SystemMenu()->addAction(CBackupActions::RestoreText(), [this] { m_backup.Restore(); });
  SystemMenu()->addAction(CBackupActions::CompareText(), [this] { m_backup.Compare(); });
  SystemMenu()->addSeparator();
  SystemMenu()->addAction(m_trafficLog.Action());
  AddSystemMenuEntry(tr("About Norvane(&A)..."), [this] { ShowAbout(); });
  setWindowTitle(tr("Утилита настройки системы 3G видео-сигнализации"));
  setWindowIcon(QIcon(QStringLiteral(":/icons/app.svg")));
  SetMinimizable(true);
  m_link.SetStatusSink([this](std::string_view text) {
    if (text == veyra::kLineLostText) ShowLineLost();
  });
  m_link.SetCommn(&m_port);
  BuildLayout();
  EnumeratePorts();
  RestoreRememberedState();
  m_connectedPicture = QIcon(QStringLiteral(":/icons/connected.svg")).pixmap(40, 40);
  m_disconnectedPicture = QIcon(QStringLiteral(":/icons/disconnected.svg")).pixmap(40, 40);
  ApplyPicture(false);
  LoadTooltips();
}

CMainDlg::~CMainDlg() {
  // The session with the host ends with the window: the port is not left held behind it.
  if (m_port.IsOpen()) m_port.Close();
  if (windowHandle() != nullptr) {  // it has been on the screen, so its place means something
    QSettings settings(RememberedStatePath(), QSettings::IniFormat);
    settings.setValue(kPositionKey, pos());
  }
}

void CMainDlg::RestoreRememberedState() {
  const QSettings settings(RememberedStatePath(), QSettings::IniFormat);
  // Only the initial choice: the search button lists the ports afresh and starts from "Авто".
  const int port = m_portList->findText(settings.value(kLastPortKey).toString(),
                                        Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (port > 0 && !m_portList->AsksForUrl(port)) m_portList->setCurrentIndex(port);
  // A place on a screen that has since gone would leave the window out of reach.
  const QVariant position = settings.value(kPositionKey);
  if (position.typeId() == QMetaType::QPoint &&
      QGuiApplication::screenAt(position.toPoint() + QPoint(40, 10)))
    move(position.toPoint());
}

void CMainDlg::RememberLoginPort() {
  QSettings settings(RememberedStatePath(), QSettings::IniFormat);
  settings.setValue(kLastPortKey, ToQt(veyra::session::OpenPortText(m_link)));
}

void CMainDlg::RememberUrl(const QString& url) {
  QStringList urls = RememberedUrls();
  urls.removeAll(url);
  urls.prepend(url);
  while (urls.size() > kRememberedUrls) urls.removeLast();
  QSettings settings(RememberedStatePath(), QSettings::IniFormat);
  settings.setValue(kUrlsKey, urls);
}

void CMainDlg::AskForNetworkPort() {
  CNetworkPortDlg dialog(this);
  m_runDialog(dialog);
  if (dialog.result() != QDialog::Accepted) {
    SelectEntry(m_chosenEntry);
    return;
  }
  RememberUrl(dialog.Url());
  RefreshPortList(false);
  SelectEntry(dialog.Url());
}

void CMainDlg::SelectEntry(const QString& text) {
  const int index = m_portList->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
  m_portList->setCurrentIndex(index > 0 && !m_portList->AsksForUrl(index) ? index : 0);
}

void CMainDlg::BuildLayout() {
  auto* outer = new QHBoxLayout(this);
  outer->setContentsMargins(10, 10, 14, 12);
  outer->setSpacing(16);

  auto* left = new QVBoxLayout;
  auto* portRow = new QHBoxLayout;
  m_portList = new CPortCombo(this);
  m_portList->setMinimumWidth(90);
  m_portList->SetBeforePopup([this] { RefreshPortList(true); });
  m_portList->setAccessibleName(tr("COM-порт"));
  m_portList->setAccessibleDescription(tr("Порт, который открыть или на котором искать 3G камеру"));
  connect(m_portList, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index >= 0 && !m_portList->AsksForUrl(index)) m_chosenEntry = m_portList->itemText(index);
  });
  connect(m_portList, &QComboBox::activated, this, [this](int index) {
    if (m_portList->AsksForUrl(index)) AskForNetworkPort();
  });
  portRow->addWidget(m_portList, 1);
  m_picture = new QLabel(this);
  m_picture->setFixedSize(40, 40);
  portRow->addWidget(m_picture);
  left->addLayout(portRow);
  m_openClose = new QPushButton(tr("Открыть COM-порт"), this);
  connect(m_openClose, &QPushButton::clicked, this, [this] { TogglePort(); });
  left->addWidget(m_openClose);
  m_searchButton = new QPushButton(tr("Поиск 3G-камеры"), this);
  connect(m_searchButton, &QPushButton::clicked, this, [this] { OnSearchButton(); });
  left->addWidget(m_searchButton);
  auto* decoration = new QLabel(this);
  decoration->setPixmap(QIcon(QStringLiteral(":/icons/antenna.svg")).pixmap(120, 120));
  decoration->setAlignment(Qt::AlignCenter);
  left->addWidget(decoration, 1);
  m_status = new QLabel(tr("Поиск статус"), this);
  // A plain box: a sunken panel's light right and bottom edges vanish into the background.
  m_status->setFrameStyle(QFrame::Box | QFrame::Plain);
  m_status->setWordWrap(true);
  m_status->setMargin(2);
  m_status->setMinimumHeight(3 * m_status->fontMetrics().lineSpacing() + 2 * (m_status->frameWidth() + 2));
  left->addWidget(m_status);
  outer->addLayout(left, 0);

  auto* right = new QVBoxLayout;
  auto* grid = new QGridLayout;
  grid->setSpacing(10);
  for (int i = 0; i < kTileCount; ++i) {
    const TileRow& row = Tiles()[static_cast<std::size_t>(i)];
    auto* tile = new CPictureButton(this);
    const QString icon = QStringLiteral(":/icons/%1.svg").arg(QLatin1String(row.icon));
    const QString hover = QStringLiteral(":/icons/%1_hover.svg").arg(QLatin1String(row.icon));
    tile->SetIcons(icon, hover);
    tile->SetPictureSize(QSize(64, 64));
    tile->SetLabel(QCoreApplication::translate("TileTable", row.label));
    tile->setAccessibleDescription(
        QCoreApplication::translate("TileTable", TileDescriptions()[static_cast<std::size_t>(i)]));
    tile->setMinimumWidth(130);
    connect(tile, &CPictureButton::clicked, this, [this, i] { OpenTile(i); });
    grid->addWidget(tile, i / 3, i % 3);
    m_tiles[static_cast<std::size_t>(i)] = tile;
  }
  right->addLayout(grid, 1);
  auto* welcome = new QLabel(tr("Добро пожаловать в 3G видео сигнализацию «Veyra»(V3.2)"), this);
  welcome->setAlignment(Qt::AlignRight);
  right->addWidget(welcome);
  outer->addLayout(right, 1);
  DisableAutoDefault(this);
  resize(720, 470);
}

void CMainDlg::LoadTooltips() {
  const std::optional<veyra::IniFile> ini = veyra::IniFile::Open(veyra::GetConfigPath(), true);
  if (!ini) {
    veyra::Messages().Show({QT_TRANSLATE_NOOP("veyra", "Loading config.ini Failure!！\n"),
                            QT_TRANSLATE_NOOP("veyra", "Failure!"), false, veyra::Icon::None});
  }
  for (int i = 0; i < kTileCount; ++i) {
    const TileRow& row = Tiles()[static_cast<std::size_t>(i)];
    CPictureButton* tile = m_tiles[static_cast<std::size_t>(i)];
    if (row.tooltipKey && ini)
      tile->setToolTip(
          QCoreApplication::translate("TileTable", ini->GetValue("main", row.tooltipKey).c_str()));
    if (row.tooltip) tile->setToolTip(QCoreApplication::translate("TileTable", row.tooltip));
  }
}

void CMainDlg::ShowBanner(const QString& text) { m_status->setText(text); }

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
  m_portList->addItem(TrText(veyra::session::kAutoPortText));
  for (const veyra::ComPort& port : *ports) m_portList->AddPort(ToQt(port.name), ToQt(port.description));
  // Never among the ports "Авто" tries: a search does not go out on the network unasked.
  for (const QString& url : RememberedUrls()) m_portList->AddPort(url, QString());
  m_portList->AddUrlQuestion(tr("Сетевой порт…"));
  int keep = keepSelection ? m_portList->findText(previous) : -1;
  if (keep >= 0 && m_portList->AsksForUrl(keep)) keep = -1;
  m_portList->setCurrentIndex(keep >= 0 ? keep : 0);
}

void CMainDlg::EnumeratePorts() { RefreshPortList(false); }

void CMainDlg::Post(std::function<void()> update) {
  QMetaObject::invokeMethod(this, std::move(update), Qt::QueuedConnection);
}

void CMainDlg::SetStatus(const std::string& text) {
  Post([this, text] { m_status->setText(TrText(text)); });
}

void CMainDlg::ShowPortState(bool open) {
  Post([this, open] { ApplyPortState(open); });
}

void CMainDlg::SelectPort(const std::string& portText) {
  Post([this, portText] {
    // The first entry shows "Авто" in the reader's language.
    const int index = portText == veyra::session::kAutoPortText
                          ? 0
                          : m_portList->findText(ToQt(portText), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) m_portList->setCurrentIndex(index);
  });
}

void CMainDlg::ShowWrongPassword(const std::string& portText) {
  Post([this, portText] {
    m_status->setText(tr("%1: неверный пароль, вход не выполнен").arg(ToQt(portText)));
    ApplyPortState(false);
  });
}

void CMainDlg::ShowLineLost() {
  m_status->setText(TrText(veyra::kLineLostText));
  ApplyPortState(false);  // the port went with the line: the button offers to open it again
}

void CMainDlg::SelectOpenPort(const QString& otherwise) {
  const QString open = m_link.IsPortOpen() ? ToQt(veyra::session::OpenPortText(m_link)) : otherwise;
  const int index = m_portList->findText(open, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (index >= 0 && !m_portList->AsksForUrl(index)) m_portList->setCurrentIndex(index);
}

void CMainDlg::ApplyPortState(bool open) {
  m_openClose->setText(open ? tr("Закрыть COM-порт") : tr("Открыть COM-порт"));
  ApplyPicture(open);
  update();
}

void CMainDlg::ApplyPicture(bool connected) {
  m_connectedShown = connected;
  m_picture->setPixmap(connected ? m_connectedPicture : m_disconnectedPicture);
  m_picture->setToolTip(connected ? tr("Connected") : tr("Not connected"));
}

int CMainDlg::SearchHost() {
  m_selectedPortText = m_portList->currentIndex() == 0 ? veyra::session::kAutoPortText
                                                       : m_portList->currentText().toStdString();
  return m_search.SearchHost(m_portNames, m_selectedPortText, m_password);
}

void CMainDlg::OnSearchButton() {
  const QString chosen = m_portList->currentText();
  EnumeratePorts();
  // The fresh list starts from "Авто", which never tries a network port: one chosen stays chosen.
  if (veyra::IsNetworkDevice(chosen.toStdString())) SelectEntry(chosen);
  const std::optional<int> password = m_prompt();
  if (!password) {  // closed without OK: no search, nothing sent, and the list as it was
    SelectOpenPort(chosen);
    return;
  }
  m_password = *password;
  veyra::HostFound = SearchHost();
  const bool found = veyra::HostFound == 1;
  if (found) RememberLoginPort();
  Post([this, found] {
    ApplyPicture(found);
    update();
  });
}

void CMainDlg::TogglePort() {
  const QString text = m_portList->currentText();
  if (m_portList->currentIndex() == 0) {  // "Авто", in whatever language it is shown
    veyra::Messages().Show(veyra::session::ChoosePortMessage());
    return;
  }
  if (m_link.IsPortOpen()) {
    const QString closed = ToQt(veyra::session::OpenPortText(m_link));
    m_link.ClosePort();
    veyra::HostFound = 0;
    ShowPortState(false);
    m_status->setText(tr("Порт %1 закрыт").arg(closed));
    return;
  }
  if (veyra::session::OpenEntry(m_link, text.toStdString())) {
    ShowPortState(true);
    veyra::HostFound = 1;
    // Open without a login: the host has not been asked for its password.
    m_status->setText(tr("Порт %1 открыт, вход не выполнялся").arg(text));
  } else {
    ShowPortState(false);
    m_status->setText(tr("Не удалось открыть порт %1").arg(text));
  }
}

void CMainDlg::OpenTile(int tile) {
  if (tile < 0 || tile >= kTileCount) return;
  const TileRow& row = Tiles()[static_cast<std::size_t>(tile)];
  if (row.refusal) veyra::ShowOwned(row.refusal);
  if (!row.open) return;
  const std::unique_ptr<CDialogBase> dialog = row.open(this, m_port);
  m_runDialog(*dialog);
  m_link.SetCommn(&m_port);  // replies are the main window's again
  // The line may have gone while the dialog held the port.
  if (m_port.LineLost()) ShowLineLost();
}

void CMainDlg::ShowAbout() {
  CAboutDlg about(this);
  m_runDialog(about);
}
