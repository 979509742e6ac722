#include "app/TileDescriptions.h"

#include <QtGlobal>

const std::array<const char*, kTileCount>& TileDescriptions() {
  static const std::array<const char*, kTileCount> texts{{
      QT_TRANSLATE_NOOP("TileTable", "Сирена, задержки, пароль и часы 3G камеры"),
      QT_TRANSLATE_NOOP("TileTable", "Чтение и очистка журнала тревог 3G камеры"),
      QT_TRANSLATE_NOOP("TileTable", "Постановка на охрану, снятие с охраны и выборочный режим"),
      QT_TRANSLATE_NOOP("TileTable", "Время постановки и снятия трёх групп"),
      QT_TRANSLATE_NOOP("TileTable", "Номера для звонков, SMS и MMS при тревоге"),
      QT_TRANSLATE_NOOP("TileTable", "Список датчиков, привязка и удаление датчиков"),
      QT_TRANSLATE_NOOP("TileTable", "Параметры MMS и проверочное MMS"),
      QT_TRANSLATE_NOOP("TileTable", "Коды управления умным домом"),
      QT_TRANSLATE_NOOP("TileTable", "Обновление программы 3G камеры"),
  }};
  return texts;
}
