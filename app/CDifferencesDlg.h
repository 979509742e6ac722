// What a comparison with a backup found, one row a field: the area, the field in the words of its
// window, the value in the file and on the host. However many there are, the window stays within
// the screen and its table scrolls.
#pragma once

#include <vector>

#include "backup/BackupFile.h"
#include "ui/CDialogBase.h"

class CGridCtrl;
class QLabel;
class QPushButton;

class CDifferencesDlg : public CDialogBase {
  Q_OBJECT

 public:
  enum Column { kAreaColumn, kFieldColumn, kFileColumn, kHostColumn, kColumnCount };

  CDifferencesDlg(const QString& path, const std::vector<veyra::backup::FieldDifference>& differences,
                  QWidget* parent = nullptr);

  CGridCtrl* Grid() const { return m_grid; }
  QPushButton* CloseButton() const { return m_close; }

 private:
  void FitToScreen(int rows);

  QLabel* m_summary;
  CGridCtrl* m_grid;
  QPushButton* m_close;
};
