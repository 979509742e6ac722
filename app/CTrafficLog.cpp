#include "app/CTrafficLog.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QSettings>
#include <QSignalBlocker>
#include <QWidget>

#include "link/Notifier.h"

namespace {

const QString kOnKey = QStringLiteral("traffic/on");
const QString kFileKey = QStringLiteral("traffic/file");

}  // namespace

CTrafficLog::CTrafficLog(veyra::HostPort& port, QWidget* owner, SettingsPath settingsPath)
    : m_owner(owner), m_settingsPath(std::move(settingsPath)), m_file(port) {
  m_chooseFile = [this] {
    // Appended to, never overwritten: the question about replacing a file does not arise.
    return QFileDialog::getSaveFileName(
        m_owner, tr("Файл журнала обмена"), QDir::homePath() + QStringLiteral("/veyra-traffic.log"),
        tr("Журнал (*.log *.txt);;Все файлы (*)"), nullptr, QFileDialog::DontConfirmOverwrite);
  };
  m_action = new QAction(tr("Записывать обмен в файл…"), this);
  m_action->setCheckable(true);
  const QSettings settings(m_settingsPath(), QSettings::IniFormat);
  if (settings.value(kOnKey).toBool()) {
    const QSignalBlocker quiet(m_action);
    m_action->setChecked(Start(settings.value(kFileKey).toString()));
  }
  connect(m_action, &QAction::toggled, this, &CTrafficLog::OnToggled);
}

QString CTrafficLog::FilePath() const {
  return QSettings(m_settingsPath(), QSettings::IniFormat).value(kFileKey).toString();
}

bool CTrafficLog::Start(const QString& path) {
  return !path.isEmpty() && m_file.Start(QDir::toNativeSeparators(path).toStdString());
}

void CTrafficLog::OnToggled(bool on) {
  if (!on) {
    m_file.Stop();
    Remember(false, FilePath());
    return;
  }
  // The file chosen once is used again; a new one is asked for only when there is none yet or
  // it cannot be written any more (its directory gone, its medium unplugged).
  QString path = FilePath();
  if (!Start(path)) {
    path = m_chooseFile ? m_chooseFile() : QString();
    if (!path.isEmpty() && !Start(path))
      veyra::Messages().Show(veyra::OwnedMessage(tr("Не удалось открыть файл журнала обмена:\n%1")
                                                     .arg(QDir::toNativeSeparators(path))
                                                     .toStdString()));
  }
  if (!m_file.Active()) {
    const QSignalBlocker quiet(m_action);
    m_action->setChecked(false);
    return;
  }
  Remember(true, path);
}

void CTrafficLog::Remember(bool on, const QString& path) const {
  QSettings settings(m_settingsPath(), QSettings::IniFormat);
  settings.setValue(kOnKey, on);
  settings.setValue(kFileKey, path);
}
