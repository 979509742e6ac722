// "Записывать обмен в файл…" in the main window's system menu: the lines --trace writes, appended
// to a file chosen once, so a support person can ask an installer for it. Whether it is on and
// the file are remembered between runs.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "link/Trace.h"

class QAction;
class QWidget;

namespace veyra {
class HostPort;
}

class CTrafficLog : public QObject {
  Q_OBJECT

 public:
  // Asks for the file; an empty name when the person cancelled. Tests put a seam here.
  using FileChooser = std::function<QString()>;
  // The settings file of the main window, worked out at each use.
  using SettingsPath = std::function<QString()>;

  CTrafficLog(veyra::HostPort& port, QWidget* owner, SettingsPath settingsPath);

  // The check item, its state and log as remembered (a remembered file that cannot be opened
  // any more leaves it off).
  QAction* Action() const { return m_action; }
  void SetFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
  bool Logging() const { return m_file.Active(); }
  QString FilePath() const;

 private:
  void OnToggled(bool on);
  // Starts on the file; the action shows whether it did.
  bool Start(const QString& path);
  void Remember(bool on, const QString& path) const;

  QWidget* m_owner;
  SettingsPath m_settingsPath;
  FileChooser m_chooseFile;
  veyra::TraceFile m_file;
  QAction* m_action;
};
