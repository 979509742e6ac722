// Where tests and benchmarks look inside the main window: its widgets and what it found. The
// window's own API is what a person can do with it; this is the one place that reaches past it.
#pragma once

#include <QString>
#include <cstddef>

#include "app/CMainDlg.h"

class CMainDlgParts {
 public:
  explicit CMainDlgParts(CMainDlg& window) : window_(window) {}

  QLabel* StatusLine() const { return window_.m_status; }
  CPortCombo* PortList() const { return window_.m_portList; }
  QPushButton* OpenCloseButton() const { return window_.m_openClose; }
  QPushButton* SearchButton() const { return window_.m_searchButton; }
  CPictureButton* TileButton(int tile) const { return window_.m_tiles[static_cast<std::size_t>(tile)]; }
  // The tile whose label is this text, or null.
  CPictureButton* TileButton(const QString& label) const;
  bool ConnectedPictureShown() const { return window_.m_connectedShown; }
  int LoginAccepted() const { return window_.m_search.LoginAccepted(); }
  veyra::DialogLink& Link() const { return window_.m_link; }
  CBackupActions& Backup() const { return window_.m_backup; }
  CTrafficLog& TrafficLog() const { return window_.m_trafficLog; }

 private:
  CMainDlg& window_;
};

inline CPictureButton* CMainDlgParts::TileButton(const QString& label) const {
  for (int i = 0; i < kTileCount; ++i)
    if (QString::fromUtf8(Tiles()[static_cast<std::size_t>(i)].label) == label) return TileButton(i);
  return nullptr;
}

inline CMainDlgParts Parts(CMainDlg& window) { return CMainDlgParts(window); }
