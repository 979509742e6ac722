#include "features/sensors/CSensorsDlg.h"

#include "features/sensors/CSensorEditPage.h"
#include "features/sensors/CSensorListPage.h"

CSensorsDlg::CSensorsDlg(QWidget* parent)
    : CPagedDialog(parent), m_listPage(new CSensorListPage), m_editPage(new CSensorEditPage) {
  setWindowTitle(tr("Настройка датчиков"));
  AddPage(m_listPage, tr("Список датчиков"), QStringLiteral("Sensor List"));
  AddPage(m_editPage, tr("Настройка датчиков"), QStringLiteral("Edit Sensor"));
  resize(640, 400);
}
