// The main window: the host-link controls on the left, the nine feature tiles on the right.
#pragma once

#include <QPixmap>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/CBackupActions.h"
#include "app/CTrafficLog.h"
#include "app/TileTable.h"
#include "session/HostSearch.h"
#include "ui/CDialogBase.h"
#include "ui/DialogLink.h"

class CPictureButton;
class CPortCombo;
class QLabel;
class QPushButton;

namespace veyra {
class HostPort;
}

class CMainDlg : public CDialogBase, public veyra::session::SearchView {
  Q_OBJECT

 public:
  // Asks for the password; nullopt when the window was closed without OK.
  using PasswordPrompt = std::function<std::optional<int>()>;
  // Runs a feature dialog modally; the tests replace it so nothing blocks.
  using DialogRunner = std::function<void(CDialogBase& dialog)>;

  explicit CMainDlg(veyra::HostPort& port, QWidget* parent = nullptr);
  ~CMainDlg() override;

  // The file name, in the user's config directory, of what windows remember between runs (last
  // port, position). The demo keeps its own, so its pseudo-terminal's port is never offered to a
  // real host's session.
  static void RememberIn(const QString& fileName);

  // The most network ports the port list remembers between runs, the last named first.
  static constexpr int kRememberedUrls = 5;

  void EnumeratePorts();
  // The search on the chosen port, or on every listed one for "Авто", with the password last
  // asked for; returns LoginAccepted (1 when a host took the password).
  int SearchHost();
  void TogglePort();
  void OnSearchButton();
  void OpenTile(int tile);
  void ShowAbout();

  // SearchView: applied on the GUI thread in the order asked for.
  void SetStatus(const std::string& text) override;
  void ShowPortState(bool open) override;
  void SelectPort(const std::string& portText) override;
  void ShowWrongPassword(const std::string& portText) override;

  void SetPasswordPrompt(PasswordPrompt prompt) { m_prompt = std::move(prompt); }
  void SetDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }
  void SetSearchPauses(int closePauseMs, int pollMs) { m_search.SetPauses(closePauseMs, pollMs); }

  // A line of text where the search reports, until the search says otherwise (the demo's port
  // and password).
  void ShowBanner(const QString& text);

 private:
  // Tests and benchmarks look at the widgets through this, never through the window's API.
  friend class CMainDlgParts;

  void BuildLayout();
  void LoadTooltips();
  void RestoreRememberedState();
  void RememberLoginPort();
  void RefreshPortList(bool keepSelection);
  void ApplyPortState(bool open);
  void ApplyPicture(bool connected);
  void Post(std::function<void()> update);
  // The port list back on the port that is open, or on what was chosen when none is.
  void SelectOpenPort(const QString& otherwise);
  void ShowLineLost();
  // The port list's last entry was chosen: asks for a URL, lists and remembers it, and selects it;
  // the entry chosen before when the question was closed without one.
  void AskForNetworkPort();
  void RememberUrl(const QString& url);
  void SelectEntry(const QString& text);

  veyra::HostPort& m_port;
  veyra::DialogLink m_link;
  veyra::session::HostSearch m_search;
  CBackupActions m_backup;
  CTrafficLog m_trafficLog;
  std::vector<std::string> m_portNames;
  int m_password = 0;
  std::string m_selectedPortText;
  QString m_chosenEntry;  // the last entry chosen that names a port, or "Авто"
  PasswordPrompt m_prompt;
  DialogRunner m_runDialog;

  CPortCombo* m_portList = nullptr;
  QPushButton* m_openClose = nullptr;
  QPushButton* m_searchButton = nullptr;
  QLabel* m_picture = nullptr;
  QLabel* m_status = nullptr;
  std::array<CPictureButton*, kTileCount> m_tiles{};
  QPixmap m_connectedPicture, m_disconnectedPicture;
  bool m_connectedShown = false;
};
