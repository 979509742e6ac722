#include "app/TileTable.h"

#include <QtGlobal>

#include "features/alarm/CAlarmHistoryDlg.h"
#include "features/alarm/CAlarmPhoneDlg.h"
#include "features/alarm/COperateHostDlg.h"
#include "features/alarm/CTimedArmDlg.h"
#include "features/sensors/CMmsSettingDlg.h"
#include "features/sensors/CSensorsDlg.h"
#include "features/sensors/CSmartHomeDlg.h"
#include "features/settings/CSettingsDlg.h"

namespace {

template <class Dialog>
std::unique_ptr<CDialogBase> Open(QWidget* parent, veyra::HostPort& port) {
  auto dialog = std::make_unique<Dialog>(parent);
  dialog->SetCommn(&port);
  return dialog;
}

// The tooltips config.ini holds as this program writes it (link/Config.cpp), in the catalogue so
// that a file left as written shows them in the windows' language; a value someone wrote there
// shows as written.
[[maybe_unused]] constexpr const char* kDefaultTooltips[] = {
    QT_TRANSLATE_NOOP("TileTable", "Check alarm history"),
    QT_TRANSLATE_NOOP("TileTable", "Setting Alarm Telephone Numbers"),
    QT_TRANSLATE_NOOP("TileTable", "Operate on the host"),
    QT_TRANSLATE_NOOP("TileTable", "Setting Timed Arm/Disarm"),
    QT_TRANSLATE_NOOP("TileTable", "System Setup"),
    QT_TRANSLATE_NOOP("TileTable", "Upgrade"),
};

}  // namespace

const std::array<TileRow, kTileCount>& Tiles() {
  static const std::array<TileRow, kTileCount> tiles{{
      {QT_TRANSLATE_NOOP("TileTable", "Настройки системы"), "tile_settings", "m_xtsz", nullptr, nullptr,
       Open<CSettingsDlg>},
      {QT_TRANSLATE_NOOP("TileTable", "Журнал тревог"), "tile_history", "m_lsjl", nullptr, nullptr,
       Open<CAlarmHistoryDlg>},
      {QT_TRANSLATE_NOOP("TileTable", "Установка режимов"), "tile_arm", "m_zjcz", nullptr, nullptr,
       Open<COperateHostDlg>},
      {QT_TRANSLATE_NOOP("TileTable", "Расписания"), "tile_schedule", "m_dsbcf", nullptr, nullptr,
       Open<CTimedArmDlg>},
      {QT_TRANSLATE_NOOP("TileTable", "Настройки телефонных номеров"), "tile_phone", "m_bjdhsz", nullptr,
       nullptr, Open<CAlarmPhoneDlg>},
      {QT_TRANSLATE_NOOP("TileTable", "Настройки датчиков"), "tile_sensor", nullptr, nullptr, nullptr,
       Open<CSensorsDlg>},
      {QT_TRANSLATE_NOOP("TileTable", "MMS Setting"), "tile_mms", nullptr,
       QT_TRANSLATE_NOOP("TileTable", "MMS Set"), nullptr, Open<CMmsSettingDlg>},
      {QT_TRANSLATE_NOOP("TileTable", "Умный дом"), "tile_smarthome", nullptr, nullptr, nullptr,
       Open<CSmartHomeDlg>},
      {QT_TRANSLATE_NOOP("TileTable", "Обновление"), "tile_upgrade", "m_xtsj", nullptr,
       QT_TRANSLATE_NOOP("veyra", "Извините, у вас нет полномочий для обновления системы!"), nullptr},
  }};
  return tiles;
}
