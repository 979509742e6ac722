// The main window's backup entries: save the host's configuration to a file, write one back, and
// compare one with the host. Each asks for the file, shows its progress while it talks to the
// host, asks before it writes, and ends with a summary.
#pragma once

#include <QCoreApplication>
#include <QPointer>
#include <QString>
#include <functional>

#include "app/CDifferencesDlg.h"

class QWidget;

namespace veyra {
class HostPort;
}

class CBackupActions {
  Q_DECLARE_TR_FUNCTIONS(CBackupActions)

 public:
  enum class FileUse { Save, Restore, Compare };
  // Asks for the file; an empty text means the user cancelled. The tests answer it themselves.
  using FileChooser = std::function<QString(FileUse use)>;

  CBackupActions(veyra::HostPort& port, QWidget* window);

  void SetFileChooser(FileChooser chooser) { m_choose = std::move(chooser); }

  void Save();
  void Restore();
  void Compare();

  static QString SaveText() { return tr("Сохранить конфигурацию…"); }
  static QString RestoreText() { return tr("Восстановить конфигурацию…"); }
  static QString CompareText() { return tr("Сравнить с файлом…"); }

  // The table of the last comparison that found differences, while it is open.
  CDifferencesDlg* Differences() const { return m_differences; }

 private:
  veyra::HostPort& m_port;
  QWidget* m_window;
  FileChooser m_choose;
  QPointer<CDifferencesDlg> m_differences;
};
