#include "app/CBackupActions.h"

#include <QFileDialog>
#include <QProgressDialog>
#include <ctime>
#include <memory>
#include <optional>

#include "app/CDifferencesDlg.h"
#include "backup/BackupEngine.h"
#include "backup/BackupFile.h"
#include "link/HostLink.h"
#include "link/HostPort.h"
#include "link/Notifier.h"
#include "link/TextFile.h"
#include "veyra/Version.h"

namespace {

using namespace veyra::backup;

constexpr std::size_t kMaxBackupBytes = 1 << 20;
const QString kFilter = QStringLiteral("*.ini");

void Show(const QString& text) { veyra::Messages().Show(veyra::OwnedMessage(text.toStdString())); }

// A progress window over the engine's steps; it closes with the operation.
std::unique_ptr<QProgressDialog> ShowProgress(QWidget* window, const QString& title, BackupEngine& engine) {
  auto progress = std::make_unique<QProgressDialog>(title, QString(), 0, 1, window);
  progress->setWindowModality(Qt::WindowModal);
  progress->setMinimumDuration(0);
  progress->setAutoClose(false);
  progress->setAutoReset(false);
  progress->setValue(0);
  engine.SetProgress([dialog = progress.get(), title](int done, int total, std::string_view step) {
    dialog->setMaximum(total);
    dialog->setValue(done);
    dialog->setLabelText(step.empty() ? title
                                      : title + QStringLiteral("\n") +
                                            QString::fromUtf8(step.data(), static_cast<int>(step.size())));
  });
  return progress;
}

}  // namespace

CBackupActions::CBackupActions(veyra::HostPort& port, QWidget* window) : m_port(port), m_window(window) {
  m_choose = [this](FileUse use) {
    const QString title =
        use == FileUse::Save ? SaveText() : (use == FileUse::Restore ? RestoreText() : CompareText());
    return use == FileUse::Save ? QFileDialog::getSaveFileName(m_window, title, QString(), kFilter)
                                : QFileDialog::getOpenFileName(m_window, title, QString(), kFilter);
  };
}

// Reads the file and checks it whole; none after saying why it was refused.
static std::optional<HostConfiguration> LoadBackup(const QString& path) {
  std::string text, error;
  if (!veyra::ReadTextFile(path.toStdString(), kMaxBackupBytes, text, error)) {
    Show(CBackupActions::tr("Файл конфигурации не прочитан: %1").arg(QString::fromStdString(error)));
    return std::nullopt;
  }
  BackupParse parse = ParseBackupText(text);
  if (!parse.config) {
    Show(CBackupActions::tr("Файл %1 не принят, строка %2: %3")
             .arg(path)
             .arg(parse.line)
             .arg(QString::fromStdString(parse.reason)));
    return std::nullopt;
  }
  return std::move(parse.config);
}

static bool HostReady() {
  if (veyra::HostFound != 0) return true;
  veyra::ShowOwned(veyra::settings::kSettingsHostNotFoundText);
  return false;
}

static std::optional<HostConfiguration> ReadHost(veyra::HostPort& port, QWidget* window,
                                                 const AreaSet& areas) {
  BackupEngine engine(port);
  const auto progress = ShowProgress(window, CBackupActions::tr("Чтение конфигурации 3G камеры"), engine);
  ReadResult read = engine.Read(areas);
  progress->close();
  if (!read.config)
    Show(CBackupActions::tr("Сбой чтения конфигурации: %1").arg(QString::fromStdString(read.failure)));
  return std::move(read.config);
}

void CBackupActions::Save() {
  if (!HostReady()) return;
  const QString path = m_choose(FileUse::Save);
  if (path.isEmpty()) return;
  const std::optional<HostConfiguration> config = ReadHost(m_port, m_window, kEveryArea);
  if (!config) return;
  BackupHeader header;
  header.program = std::string("veyra-setup ") + veyra::kVersion;
  header.date = IsoLocalTime(std::time(nullptr));
  std::string error;
  if (!veyra::WriteFileAtomically(path.toStdString(), BackupText(*config, header), error)) {
    Show(tr("Конфигурация не сохранена: %1").arg(QString::fromStdString(error)));
    return;
  }
  QString summary = tr("Конфигурация сохранена в %1 (датчиков: %2).").arg(path).arg(config->devices.size());
  // What the host holds that a restore cannot send back: kept in the file, marked, and said here.
  QStringList notes;
  for (const std::string& note : BackupNotes(*config)) notes << QString::fromStdString(note);
  if (!notes.isEmpty())
    summary +=
        QStringLiteral("\n") + tr("Не восстанавливается из файла:\n%1").arg(notes.join(QStringLiteral("\n")));
  Show(summary);
}

void CBackupActions::Restore() {
  if (!HostReady()) return;
  const QString path = m_choose(FileUse::Restore);
  if (path.isEmpty()) return;
  const std::optional<HostConfiguration> config = LoadBackup(path);
  if (!config) return;
  const QString question = tr("Записать в 3G камеру настройки, таймеры и телефонные номера из файла %1? "
                              "Текущие будут заменены.")
                               .arg(path);
  if (!veyra::Messages().Ask(veyra::OwnedMessage(question.toStdString()))) return;
  BackupEngine engine(m_port);
  const auto progress = ShowProgress(m_window, tr("Запись конфигурации в 3G камеру"), engine);
  const std::vector<ItemResult> results = engine.Write(*config, kWritableAreas);
  progress->close();
  QStringList failed;
  for (const ItemResult& item : results) {
    if (item.outcome == ItemOutcome::Acknowledged) continue;
    QString line = QStringLiteral("%1: %2").arg(
        QString::fromStdString(item.item),
        QString::fromUtf8(ItemOutcomeTexts[static_cast<int>(item.outcome)].data()));
    if (!item.note.empty()) line += QStringLiteral(" (%1)").arg(QString::fromStdString(item.note));
    failed << line;
  }
  QString summary = failed.isEmpty() ? tr("Конфигурация записана: подтверждено %1 из %1.").arg(results.size())
                                     : tr("Подтверждено %1 из %2. Не подтверждено:\n%3")
                                           .arg(results.size() - static_cast<std::size_t>(failed.size()))
                                           .arg(results.size())
                                           .arg(failed.join(QStringLiteral("\n")));
  summary += QStringLiteral("\n") + tr("Датчики не восстанавливаются: их нужно привязать на месте.");
  Show(summary);
}

void CBackupActions::Compare() {
  if (!HostReady()) return;
  const QString path = m_choose(FileUse::Compare);
  if (path.isEmpty()) return;
  const std::optional<HostConfiguration> file = LoadBackup(path);
  if (!file) return;
  const std::optional<HostConfiguration> host = ReadHost(m_port, m_window, kWritableAreas);
  if (!host) return;
  const std::vector<FieldDifference> differences = CompareConfigurations(*file, *host, kWritableAreas);
  if (differences.empty()) {
    Show(tr("Конфигурация 3G камеры совпадает с файлом."));
    return;
  }
  // A table rather than a box of lines: thirty differences would make a box taller than the screen.
  if (m_differences) m_differences->close();
  m_differences = new CDifferencesDlg(path, differences, m_window);
  m_differences->setAttribute(Qt::WA_DeleteOnClose);
  m_differences->open();
}
