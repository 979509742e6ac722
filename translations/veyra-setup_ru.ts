<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
<context>
    <name>AccessibleTexts</name>
    <message>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
</context>
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About Norvane</source>
        <translation>О программе Veyra Setup</translation>
    </message>
    <message>
        <source>Norvane 3G Alarm Setup, version %1</source>
        <translation>Veyra Setup, версия %1</translation>
    </message>
    <message>
        <source>Подтвердить </source>
        <translation>Подтвердить</translation>
    </message>
</context>
<context>
    <name>CAlarmHistoryDlg</name>
    <message>
        <source>История тревог</source>
        <translation>История тревог</translation>
    </message>
    <message>
        <source>Удалить всё</source>
        <translation>Удалить всё</translation>
    </message>
    <message>
        <source>Обновить</source>
        <translation>Обновить</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Копировать выделенные строки</source>
        <translation>Копировать выделенные строки</translation>
    </message>
    <message>
        <source>Сохранить таблицу в CSV...</source>
        <translation>Сохранить таблицу в CSV...</translation>
    </message>
    <message>
        <source>Сохранить журнал тревог</source>
        <translation>Сохранить журнал тревог</translation>
    </message>
    <message>
        <source>CSV (*.csv);;Все файлы (*)</source>
        <translation>CSV (*.csv);;Все файлы (*)</translation>
    </message>
    <message>
        <source>Прочитано записей: %1</source>
        <translation>Прочитано записей: %1</translation>
    </message>
    <message>
        <source>Записи журнала тревог</source>
        <translation>Записи журнала тревог</translation>
    </message>
</context>
<context>
    <name>CAlarmPhoneDlg</name>
    <message>
        <source>Ввод телефонных номеров</source>
        <translation>Ввод телефонных номеров</translation>
    </message>
    <message>
        <source>Проверить</source>
        <translation>Проверить</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>Изменить</source>
        <translation>Изменить</translation>
    </message>
    <message>
        <source>Не отмечен ни один номер: записывать нечего</source>
        <translation>Не отмечен ни один номер: записывать нечего</translation>
    </message>
    <message>
        <source>Записано номеров: %1 из %2</source>
        <translation>Записано номеров: %1 из %2</translation>
    </message>
    <message>
        <source>Прочитано номеров: %1</source>
        <translation>Прочитано номеров: %1</translation>
    </message>
</context>
<context>
    <name>CBackupActions</name>
    <message>
        <source>Файл конфигурации не прочитан: %1</source>
        <translation>Файл конфигурации не прочитан: %1</translation>
    </message>
    <message>
        <source>Файл %1 не принят, строка %2: %3</source>
        <translation>Файл %1 не принят, строка %2: %3</translation>
    </message>
    <message>
        <source>Чтение конфигурации 3G камеры</source>
        <translation>Чтение конфигурации 3G-камеры</translation>
    </message>
    <message>
        <source>Сбой чтения конфигурации: %1</source>
        <translation>Сбой чтения конфигурации: %1</translation>
    </message>
    <message>
        <source>Конфигурация не сохранена: %1</source>
        <translation>Конфигурация не сохранена: %1</translation>
    </message>
    <message>
        <source>Конфигурация сохранена в %1 (датчиков: %2).</source>
        <translation>Конфигурация сохранена в %1 (датчиков: %2).</translation>
    </message>
    <message>
        <source>Не восстанавливается из файла:
%1</source>
        <translation>Не восстанавливается из файла:
%1</translation>
    </message>
    <message>
        <source>Записать в 3G камеру настройки, таймеры и телефонные номера из файла %1? Текущие будут заменены.</source>
        <translation>Записать в 3G-камеру настройки, таймеры и телефонные номера из файла %1? Текущие будут заменены.</translation>
    </message>
    <message>
        <source>Запись конфигурации в 3G камеру</source>
        <translation>Запись конфигурации в 3G-камеру</translation>
    </message>
    <message>
        <source>Конфигурация записана: подтверждено %1 из %1.</source>
        <translation>Конфигурация записана: подтверждено %1 из %1.</translation>
    </message>
    <message>
        <source>Подтверждено %1 из %2. Не подтверждено:
%3</source>
        <translation>Подтверждено %1 из %2. Не подтверждено:
%3</translation>
    </message>
    <message>
        <source>Датчики не восстанавливаются: их нужно привязать на месте.</source>
        <translation>Датчики не восстанавливаются: их нужно привязать на месте.</translation>
    </message>
    <message>
        <source>Конфигурация 3G камеры совпадает с файлом.</source>
        <translation>Конфигурация 3G-камеры совпадает с файлом.</translation>
    </message>
    <message>
        <source>Сохранить конфигурацию…</source>
        <translation>Сохранить конфигурацию…</translation>
    </message>
    <message>
        <source>Восстановить конфигурацию…</source>
        <translation>Восстановить конфигурацию…</translation>
    </message>
    <message>
        <source>Сравнить с файлом…</source>
        <translation>Сравнить с файлом…</translation>
    </message>
</context>
<context>
    <name>CCaptionButton</name>
    <message>
        <source>Закрыть</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Свернуть</source>
        <translation>Свернуть</translation>
    </message>
</context>
<context>
    <name>CClockPage</name>
    <message>
        <source>0000-00-00 00:00:00 Понедельник</source>
        <translation>0000-00-00 00:00:00 Понедельник</translation>
    </message>
    <message>
        <source>Синхронизировать</source>
        <translation>Синхронизировать</translation>
    </message>
    <message>
        <source>Время на компьютере:</source>
        <translation>Время на компьютере:</translation>
    </message>
</context>
<context>
    <name>CDialogBase</name>
    <message>
        <source>&amp;Переместить</source>
        <translation>&amp;Переместить</translation>
    </message>
    <message>
        <source>&amp;Свернуть</source>
        <translation>&amp;Свернуть</translation>
    </message>
    <message>
        <source>&amp;Закрыть</source>
        <translation>&amp;Закрыть</translation>
    </message>
    <message>
        <source>Свернуть</source>
        <translation>Свернуть</translation>
    </message>
    <message>
        <source>Свернуть окно</source>
        <translation>Свернуть окно</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Закрыть окно</source>
        <translation>Закрыть окно</translation>
    </message>
</context>
<context>
    <name>CDifferencesDlg</name>
    <message>
        <source>Отличия от файла</source>
        <translation>Отличия от файла</translation>
    </message>
    <message>
        <source>Файл %1: отличий от 3G камеры %2.</source>
        <translation>Файл %1: отличий от 3G-камеры %2.</translation>
    </message>
    <message>
        <source>Раздел</source>
        <translation>Раздел</translation>
    </message>
    <message>
        <source>Поле</source>
        <translation>Поле</translation>
    </message>
    <message>
        <source>В файле</source>
        <translation>В файле</translation>
    </message>
    <message>
        <source>В камере</source>
        <translation>В камере</translation>
    </message>
    <message>
        <source>Раздел, поле, значение в файле и в 3G камере</source>
        <translation>Раздел, поле, значение в файле и в 3G-камере</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Закрыть</translation>
    </message>
</context>
<context>
    <name>CLoginDlg</name>
    <message>
        <source>Авторизация</source>
        <translation>Авторизация</translation>
    </message>
    <message>
        <source>Пароль:</source>
        <translation>Пароль:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Введите пароль из четырёх цифр</source>
        <translation>Введите пароль из четырёх цифр</translation>
    </message>
</context>
<context>
    <name>CMainDlg</name>
    <message>
        <source>About Norvane(&amp;A)...</source>
        <translation>О программе Veyra Setup(&amp;A)...</translation>
    </message>
    <message>
        <source>Утилита настройки системы 3G видео-сигнализации</source>
        <translation>Утилита настройки системы 3G-видеосигнализации</translation>
    </message>
    <message>
        <source>Открыть COM-порт</source>
        <translation>Открыть COM-порт</translation>
    </message>
    <message>
        <source>Поиск 3G-камеры</source>
        <translation>Поиск 3G-камеры</translation>
    </message>
    <message>
        <source>Поиск статус</source>
        <translation>Состояние поиска</translation>
    </message>
    <message>
        <source>Добро пожаловать в 3G видео сигнализацию «Veyra»(V3.2)</source>
        <translation>Добро пожаловать в 3G-видеосигнализацию «Veyra» (V3.2)</translation>
    </message>
    <message>
        <source>Закрыть COM-порт</source>
        <translation>Закрыть COM-порт</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Подключено</translation>
    </message>
    <message>
        <source>Not connected</source>
        <translation>Не подключено</translation>
    </message>
    <message>
        <source>%1: неверный пароль, вход не выполнен</source>
        <translation>%1: неверный пароль, вход не выполнен</translation>
    </message>
    <message>
        <source>Порт %1 закрыт</source>
        <translation>Порт %1 закрыт</translation>
    </message>
    <message>
        <source>Порт %1 открыт, вход не выполнялся</source>
        <translation>Порт %1 открыт, вход не выполнялся</translation>
    </message>
    <message>
        <source>Не удалось открыть порт %1</source>
        <translation>Не удалось открыть порт %1</translation>
    </message>
    <message>
        <source>COM-порт</source>
        <translation>COM-порт</translation>
    </message>
    <message>
        <source>Порт, который открыть или на котором искать 3G камеру</source>
        <translation>Порт, который открыть или на котором искать 3G-камеру</translation>
    </message>
    <message>
        <source>Сетевой порт…</source>
        <translation>Сетевой порт…</translation>
    </message>
</context>
<context>
    <name>CMessageDialog</name>
    <message>
        <source>Да</source>
        <translation>Да</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
</context>
<context>
    <name>CMmsSettingDlg</name>
    <message>
        <source>MMS Setting</source>
        <translation>Настройка MMS</translation>
    </message>
    <message>
        <source>SET</source>
        <translation>Записать</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Отправить</translation>
    </message>
    <message>
        <source>Send MMS Test</source>
        <translation>Отправить тестовое MMS</translation>
    </message>
    <message>
        <source>Phone:</source>
        <translation>Телефон:</translation>
    </message>
    <message>
        <source>APN:</source>
        <translation>APN:</translation>
    </message>
    <message>
        <source>USER:</source>
        <translation>Пользователь:</translation>
    </message>
    <message>
        <source>PASSWORD:</source>
        <translation>Пароль:</translation>
    </message>
    <message>
        <source>URL:</source>
        <translation>URL:</translation>
    </message>
    <message>
        <source>IP:</source>
        <translation>IP:</translation>
    </message>
    <message>
        <source>PORT:</source>
        <translation>Порт:</translation>
    </message>
    <message>
        <source>Версия WAP</source>
        <translation>Версия WAP</translation>
    </message>
</context>
<context>
    <name>CNetworkPortDlg</name>
    <message>
        <source>Сетевой порт</source>
        <translation>Сетевой порт</translation>
    </message>
    <message>
        <source>Адрес:</source>
        <translation>Адрес:</translation>
    </message>
    <message>
        <source>Адрес сетевого порта</source>
        <translation>Адрес сетевого порта</translation>
    </message>
    <message>
        <source>tcp://АДРЕС:ПОРТ — байты как есть,
rfc2217://АДРЕС:ПОРТ — с настройкой линии (RFC 2217)</source>
        <translation>tcp://АДРЕС:ПОРТ — байты как есть,
rfc2217://АДРЕС:ПОРТ — с настройкой линии (RFC 2217)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Адрес не понят: проверьте его вид и порт (от 1 до 65535)</source>
        <translation>Адрес не понят: проверьте его вид и порт (от 1 до 65535)</translation>
    </message>
</context>
<context>
    <name>COperateHostDlg</name>
    <message>
        <source> Работа с системой </source>
        <translation> Работа с системой </translation>
    </message>
    <message>
        <source>Активировать систему</source>
        <translation>Активировать систему</translation>
    </message>
    <message>
        <source>Деактивировать систему</source>
        <translation>Деактивировать систему</translation>
    </message>
    <message>
        <source>Выборочный режим</source>
        <translation>Выборочный режим</translation>
    </message>
</context>
<context>
    <name>CPasswordPage</name>
    <message>
        <source>Отправить</source>
        <translation>Отправить</translation>
    </message>
    <message>
        <source>Текущий пароль:</source>
        <translation>Текущий пароль:</translation>
    </message>
    <message>
        <source>Новый пароль:</source>
        <translation>Новый пароль:</translation>
    </message>
    <message>
        <source>Подтвердить новый пароль:</source>
        <translation>Подтвердить новый пароль:</translation>
    </message>
    <message>
        <source>Показать пароли</source>
        <translation>Показать пароли</translation>
    </message>
</context>
<context>
    <name>CSensorEditPage</name>
    <message>
        <source>Присвоить код</source>
        <translation>Присвоить код</translation>
    </message>
    <message>
        <source>Нажмите для установки кода</source>
        <translation>Нажмите, чтобы присвоить код</translation>
    </message>
    <message>
        <source>Название:</source>
        <translation>Название:</translation>
    </message>
    <message>
        <source>Режим:</source>
        <translation>Режим:</translation>
    </message>
    <message>
        <source>Зона:</source>
        <translation>Зона:</translation>
    </message>
    <message>
        <source>Удалить датчик</source>
        <translation>Удалить датчик</translation>
    </message>
    <message>
        <source>Удалить все пульты</source>
        <translation>Удалить все пульты</translation>
    </message>
    <message>
        <source>Удалить все датчики</source>
        <translation>Удалить все датчики</translation>
    </message>
    <message>
        <source>Удалить все звонки</source>
        <translation>Удалить все звонки</translation>
    </message>
    <message>
        <source>NO. датчика:</source>
        <translation>№ датчика:</translation>
    </message>
    <message>
        <source>ID беспроводной сирены</source>
        <translation>ID беспроводной сирены</translation>
    </message>
    <message>
        <source>Установить</source>
        <translation>Установить</translation>
    </message>
    <message>
        <source>ID:</source>
        <translation>ID:</translation>
    </message>
    <message>
        <source>Хост ждёт сигнала датчика: осталось %1 с</source>
        <translation>Хост ждёт сигнала датчика: осталось %1 с</translation>
    </message>
    <message>
        <source>Ожидание датчика окончено: проверьте «Список датчиков»</source>
        <translation>Ожидание датчика окончено: проверьте «Список датчиков»</translation>
    </message>
</context>
<context>
    <name>CSensorListPage</name>
    <message>
        <source>Проверить</source>
        <translation>Проверить</translation>
    </message>
    <message>
        <source>Название датчика:</source>
        <translation>Название датчика:</translation>
    </message>
    <message>
        <source>Показано устройств: %1</source>
        <translation>Показано устройств: %1</translation>
    </message>
    <message>
        <source>Датчики 3G камеры</source>
        <translation>Датчики 3G-камеры</translation>
    </message>
</context>
<context>
    <name>CSensorsDlg</name>
    <message>
        <source>Настройка датчиков</source>
        <translation>Настройка датчиков</translation>
    </message>
    <message>
        <source>Список датчиков</source>
        <translation>Список датчиков</translation>
    </message>
</context>
<context>
    <name>CSettingsDlg</name>
    <message>
        <source>Настройки</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Текущая конфигурация</source>
        <translation>Текущая конфигурация</translation>
    </message>
    <message>
        <source>Изменение пароля</source>
        <translation>Изменение пароля</translation>
    </message>
    <message>
        <source>Синхронизация часов</source>
        <translation>Синхронизация часов</translation>
    </message>
</context>
<context>
    <name>CSetupPage</name>
    <message>
        <source>0-90 секунд</source>
        <translation>0-90 секунд</translation>
    </message>
    <message>
        <source>Длительность сирены </source>
        <translation>Длительность сирены </translation>
    </message>
    <message>
        <source> минут</source>
        <translation> минут</translation>
    </message>
    <message>
        <source>Количество повторов набора </source>
        <translation>Количество повторов набора </translation>
    </message>
    <message>
        <source>раз</source>
        <translation>раз</translation>
    </message>
    <message>
        <source>Задержка постановки</source>
        <translation>Задержка постановки</translation>
    </message>
    <message>
        <source>секунд</source>
        <translation>секунд</translation>
    </message>
    <message>
        <source>Задержка тревоги  </source>
        <translation>Задержка тревоги  </translation>
    </message>
    <message>
        <source>Размер MMS изображения</source>
        <translation>Размер MMS изображения</translation>
    </message>
    <message>
        <source>Режим связи</source>
        <translation>Режим связи</translation>
    </message>
    <message>
        <source>Уровень сигнала:</source>
        <translation>Уровень сигнала:</translation>
    </message>
    <message>
        <source>Получить</source>
        <translation>Получить</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>Сбросить</source>
        <translation>Сбросить</translation>
    </message>
    <message>
        <source>Форматировать microSD карту</source>
        <translation>Форматировать карту microSD</translation>
    </message>
    <message>
        <source>%1, код %2</source>
        <translation>%1, код %2</translation>
    </message>
    <message>
        <source>%1 (%2 из %3), код %4</source>
        <translation>%1 (%2 из %3), код %4</translation>
    </message>
    <message>
        <source>Не прочитан</source>
        <translation>Не прочитан</translation>
    </message>
</context>
<context>
    <name>CSmartHomeDlg</name>
    <message>
        <source>Умный дом</source>
        <translation>Умный дом</translation>
    </message>
    <message>
        <source>Установить ID</source>
        <translation>Установить ID</translation>
    </message>
    <message>
        <source>Послать код</source>
        <translation>Послать код</translation>
    </message>
    <message>
        <source>ID Системы:</source>
        <translation>ID системы:</translation>
    </message>
    <message>
        <source>Одинарный триггер:</source>
        <translation>Одинарный триггер:</translation>
    </message>
    <message>
        <source>Двойной триггер:</source>
        <translation>Двойной триггер:</translation>
    </message>
</context>
<context>
    <name>CTimedArmDlg</name>
    <message>
        <source>Время постановки/cнятия</source>
        <translation>Время постановки/снятия</translation>
    </message>
    <message>
        <source>Расписание постановки/снятия</source>
        <translation>Расписание постановки/снятия</translation>
    </message>
    <message>
        <source>Look up Timed arm/disarm</source>
        <translation>Просмотр расписания постановки/снятия</translation>
    </message>
    <message>
        <source>Настройки времени постановки/снятия</source>
        <translation>Настройки времени постановки/снятия</translation>
    </message>
    <message>
        <source>Setting Timed Arm/Disarm</source>
        <translation>Настройка расписания постановки/снятия</translation>
    </message>
</context>
<context>
    <name>CTimedLookupPage</name>
    <message>
        <source>Проверить</source>
        <translation>Проверить</translation>
    </message>
    <message>
        <source>Прочитано групп: %1</source>
        <translation>Прочитано групп: %1</translation>
    </message>
    <message>
        <source>Расписания групп</source>
        <translation>Расписания групп</translation>
    </message>
</context>
<context>
    <name>CTimedSettingPage</name>
    <message>
        <source>Время постановки</source>
        <translation>Время постановки</translation>
    </message>
    <message>
        <source>Время снятия</source>
        <translation>Время снятия</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>Дата:</source>
        <translation>День:</translation>
    </message>
    <message>
        <source>Час:</source>
        <translation>Час:</translation>
    </message>
    <message>
        <source>Минута:</source>
        <translation>Минута:</translation>
    </message>
    <message>
        <source>Группа</source>
        <translation>Группа</translation>
    </message>
</context>
<context>
    <name>CTrafficLog</name>
    <message>
        <source>Файл журнала обмена</source>
        <translation>Файл журнала обмена</translation>
    </message>
    <message>
        <source>Журнал (*.log *.txt);;Все файлы (*)</source>
        <translation>Журнал (*.log *.txt);;Все файлы (*)</translation>
    </message>
    <message>
        <source>Записывать обмен в файл…</source>
        <translation>Записывать обмен в файл…</translation>
    </message>
    <message>
        <source>Не удалось открыть файл журнала обмена:
%1</source>
        <translation>Не удалось открыть файл журнала обмена:
%1</translation>
    </message>
</context>
<context>
    <name>TileTable</name>
    <message>
        <source>Настройки системы</source>
        <translation>Настройки системы</translation>
    </message>
    <message>
        <source>Журнал тревог</source>
        <translation>Журнал тревог</translation>
    </message>
    <message>
        <source>Установка режимов</source>
        <translation>Установка режимов</translation>
    </message>
    <message>
        <source>Расписания</source>
        <translation>Расписания</translation>
    </message>
    <message>
        <source>Настройки телефонных номеров</source>
        <translation>Настройки телефонных номеров</translation>
    </message>
    <message>
        <source>Настройки датчиков</source>
        <translation>Настройки датчиков</translation>
    </message>
    <message>
        <source>MMS Setting</source>
        <translation>Настройка MMS</translation>
    </message>
    <message>
        <source>MMS Set</source>
        <translation>Настройка MMS</translation>
    </message>
    <message>
        <source>Умный дом</source>
        <translation>Умный дом</translation>
    </message>
    <message>
        <source>Обновление</source>
        <translation>Обновление</translation>
    </message>
    <message>
        <source>Check alarm history</source>
        <translation>Просмотр журнала тревог</translation>
    </message>
    <message>
        <source>Setting Alarm Telephone Numbers</source>
        <translation>Настройка телефонных номеров для тревоги</translation>
    </message>
    <message>
        <source>Operate on the host</source>
        <translation>Управление системой</translation>
    </message>
    <message>
        <source>Setting Timed Arm/Disarm</source>
        <translation>Настройка расписания постановки/снятия</translation>
    </message>
    <message>
        <source>System Setup</source>
        <translation>Настройки системы</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>Обновление</translation>
    </message>
    <message>
        <source>Сирена, задержки, пароль и часы 3G камеры</source>
        <translation>Сирена, задержки, пароль и часы 3G-камеры</translation>
    </message>
    <message>
        <source>Чтение и очистка журнала тревог 3G камеры</source>
        <translation>Чтение и очистка журнала тревог 3G-камеры</translation>
    </message>
    <message>
        <source>Постановка на охрану, снятие с охраны и выборочный режим</source>
        <translation>Постановка на охрану, снятие с охраны и выборочный режим</translation>
    </message>
    <message>
        <source>Время постановки и снятия трёх групп</source>
        <translation>Время постановки и снятия трёх групп</translation>
    </message>
    <message>
        <source>Номера для звонков, SMS и MMS при тревоге</source>
        <translation>Номера для звонков, SMS и MMS при тревоге</translation>
    </message>
    <message>
        <source>Список датчиков, привязка и удаление датчиков</source>
        <translation>Список датчиков, привязка и удаление датчиков</translation>
    </message>
    <message>
        <source>Параметры MMS и проверочное MMS</source>
        <translation>Параметры MMS и проверочное MMS</translation>
    </message>
    <message>
        <source>Коды управления умным домом</source>
        <translation>Коды управления умным домом</translation>
    </message>
    <message>
        <source>Обновление программы 3G камеры</source>
        <translation>Обновление программы 3G-камеры</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Демо-хост</source>
        <translation>Демо-хост</translation>
    </message>
    <message>
        <source>Демо: хост на COM%1, пароль %2</source>
        <translation>Демо: хост на COM%1, пароль %2</translation>
    </message>
</context>
<context>
    <name>veyra</name>
    <message>
        <source>Loading config.ini Failure!！
</source>
        <translation>Не удалось загрузить config.ini!
</translation>
    </message>
    <message>
        <source>Failure!</source>
        <translation>Ошибка!</translation>
    </message>
    <message>
        <source>Извините, у вас нет полномочий для обновления системы!</source>
        <translation>Извините, у вас нет полномочий для обновления системы!</translation>
    </message>
    <message>
        <source>База</source>
        <translation>База</translation>
    </message>
    <message>
        <source>Пульт</source>
        <translation>Пульт</translation>
    </message>
    <message>
        <source>Датчик движения</source>
        <translation>Датчик движения</translation>
    </message>
    <message>
        <source>Дверной датчик</source>
        <translation>Дверной датчик</translation>
    </message>
    <message>
        <source>Датчик дыма</source>
        <translation>Датчик дыма</translation>
    </message>
    <message>
        <source>Датчик газа</source>
        <translation>Датчик газа</translation>
    </message>
    <message>
        <source>SMS</source>
        <translation>SMS</translation>
    </message>
    <message>
        <source>Проводной датчик</source>
        <translation>Проводной датчик</translation>
    </message>
    <message>
        <source>Приближается посетитель</source>
        <translation>Приближается посетитель</translation>
    </message>
    <message>
        <source>Неназначено</source>
        <translation>Не назначено</translation>
    </message>
    <message>
        <source>Активный ИК</source>
        <translation>Активный ИК</translation>
    </message>
    <message>
        <source>Датчик воды</source>
        <translation>Датчик воды</translation>
    </message>
    <message>
        <source>Тепловой датчик</source>
        <translation>Тепловой датчик</translation>
    </message>
    <message>
        <source>Беспроводная клавиатура</source>
        <translation>Беспроводная клавиатура</translation>
    </message>
    <message>
        <source>Постановка на охрану</source>
        <translation>Постановка на охрану</translation>
    </message>
    <message>
        <source>Тревога</source>
        <translation>Тревога</translation>
    </message>
    <message>
        <source>Снятие с охраны</source>
        <translation>Снятие с охраны</translation>
    </message>
    <message>
        <source>Выборочный</source>
        <translation>Выборочный</translation>
    </message>
    <message>
        <source>SOS</source>
        <translation>Сигнал SOS</translation>
    </message>
    <message>
        <source>Постановка на охрану с телефона</source>
        <translation>Постановка на охрану с телефона</translation>
    </message>
    <message>
        <source>Снятие с охраны с телефона</source>
        <translation>Снятие с охраны с телефона</translation>
    </message>
    <message>
        <source>Питание восстановлено</source>
        <translation>Питание восстановлено</translation>
    </message>
    <message>
        <source>Neighbour Alarm</source>
        <translation>Тревога у соседей</translation>
    </message>
    <message>
        <source>Линия повреждена</source>
        <translation>Линия повреждена</translation>
    </message>
    <message>
        <source>Линия восстановлена</source>
        <translation>Линия восстановлена</translation>
    </message>
    <message>
        <source>Таймер постановки на охрану</source>
        <translation>Таймер постановки на охрану</translation>
    </message>
    <message>
        <source>Таймер снятия с охраны</source>
        <translation>Таймер снятия с охраны</translation>
    </message>
    <message>
        <source>Сбой проверки</source>
        <translation>Сбой проверки</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>№</translation>
    </message>
    <message>
        <source>Название</source>
        <translation>Название</translation>
    </message>
    <message>
        <source>Событие</source>
        <translation>Событие</translation>
    </message>
    <message>
        <source>Зона</source>
        <translation>Зона</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>3G камера не найдена!!</source>
        <translation>3G-камера не найдена!</translation>
    </message>
    <message>
        <source>Нет истории!</source>
        <translation>Нет истории!</translation>
    </message>
    <message>
        <source>Сбой очистки истории!</source>
        <translation>Сбой очистки истории!</translation>
    </message>
    <message>
        <source>Удаление завершено!</source>
        <translation>Удаление завершено!</translation>
    </message>
    <message>
        <source>Удалить всю историю тревог на хосте? Это нельзя отменить.</source>
        <translation>Удалить всю историю тревог на хосте? Это нельзя отменить.</translation>
    </message>
    <message>
        <source>Не удалось сохранить файл!</source>
        <translation>Не удалось сохранить файл!</translation>
    </message>
    <message>
        <source>3G камера не найдена</source>
        <translation>3G-камера не найдена</translation>
    </message>
    <message>
        <source>Ошибка активации!</source>
        <translation>Ошибка активации!</translation>
    </message>
    <message>
        <source>Ошибка деактивации!</source>
        <translation>Ошибка деактивации!</translation>
    </message>
    <message>
        <source>Выборочный режим Failure!</source>
        <translation>Ошибка выборочного режима!</translation>
    </message>
    <message>
        <source>Активировать систему!</source>
        <translation>Система поставлена на охрану!</translation>
    </message>
    <message>
        <source>Дезактивировать систему!</source>
        <translation>Система снята с охраны!</translation>
    </message>
    <message>
        <source>Выборочный режим OK!</source>
        <translation>Выборочный режим включён!</translation>
    </message>
    <message>
        <source>Тел. номер 1</source>
        <translation>Тел. номер 1</translation>
    </message>
    <message>
        <source>Тел. номер 2</source>
        <translation>Тел. номер 2</translation>
    </message>
    <message>
        <source>Тел. номер 3</source>
        <translation>Тел. номер 3</translation>
    </message>
    <message>
        <source>Тел. номер 4</source>
        <translation>Тел. номер 4</translation>
    </message>
    <message>
        <source>Тел. номер 5</source>
        <translation>Тел. номер 5</translation>
    </message>
    <message>
        <source>Тел. номер 6</source>
        <translation>Тел. номер 6</translation>
    </message>
    <message>
        <source>SMS. номер 1</source>
        <translation>SMS-номер 1</translation>
    </message>
    <message>
        <source>SMS. номер 2</source>
        <translation>SMS-номер 2</translation>
    </message>
    <message>
        <source>SMS. номер 3</source>
        <translation>SMS-номер 3</translation>
    </message>
    <message>
        <source>MMS.номер 1</source>
        <translation>MMS-номер 1</translation>
    </message>
    <message>
        <source>MMS.номер 2</source>
        <translation>MMS-номер 2</translation>
    </message>
    <message>
        <source>MMS.номер 3</source>
        <translation>MMS-номер 3</translation>
    </message>
    <message>
        <source>Сбой при получении телефонных номеров!</source>
        <translation>Сбой при получении телефонных номеров!</translation>
    </message>
    <message>
        <source>Сбой при сохранении телефонных номеров!</source>
        <translation>Сбой при сохранении телефонных номеров!</translation>
    </message>
    <message>
        <source>Знак «+» нельзя сохранить в номере: допустимы только цифры, * и G. Номер «+7…» запишите как «8…» или «007…».</source>
        <translation>Знак «+» нельзя сохранить в номере: допустимы только цифры, * и G. Номер «+7…» запишите как «8…» или «007…».</translation>
    </message>
    <message>
        <source>пробел</source>
        <translation>пробел</translation>
    </message>
    <message>
        <source>Выключить</source>
        <translation>Выключено</translation>
    </message>
    <message>
        <source>Повседневный</source>
        <translation>Ежедневно</translation>
    </message>
    <message>
        <source>Понедельник</source>
        <translation>Понедельник</translation>
    </message>
    <message>
        <source>Вторник</source>
        <translation>Вторник</translation>
    </message>
    <message>
        <source>Среда</source>
        <translation>Среда</translation>
    </message>
    <message>
        <source>Четверг</source>
        <translation>Четверг</translation>
    </message>
    <message>
        <source>Пятница</source>
        <translation>Пятница</translation>
    </message>
    <message>
        <source>Суббота</source>
        <translation>Суббота</translation>
    </message>
    <message>
        <source>Воскресенье</source>
        <translation>Воскресенье</translation>
    </message>
    <message>
        <source>Первая группа</source>
        <translation>Первая группа</translation>
    </message>
    <message>
        <source>Вторая группа</source>
        <translation>Вторая группа</translation>
    </message>
    <message>
        <source>Третья группа</source>
        <translation>Третья группа</translation>
    </message>
    <message>
        <source>Группа No.</source>
        <translation>Группа №</translation>
    </message>
    <message>
        <source>Постановка</source>
        <translation>Постановка</translation>
    </message>
    <message>
        <source>Снятие</source>
        <translation>Снятие</translation>
    </message>
    <message>
        <source>Выберете необходимую группу!</source>
        <translation>Выберите группу!</translation>
    </message>
    <message>
        <source>Неверное время!</source>
        <translation>Неверное время!</translation>
    </message>
    <message>
        <source>День постановки: код от 0 до 8.</source>
        <translation>День постановки: код от 0 до 8.</translation>
    </message>
    <message>
        <source>Час постановки: от 0 до 23.</source>
        <translation>Час постановки: от 0 до 23.</translation>
    </message>
    <message>
        <source>Минута постановки: от 0 до 59.</source>
        <translation>Минута постановки: от 0 до 59.</translation>
    </message>
    <message>
        <source>День снятия: код от 0 до 8.</source>
        <translation>День снятия: код от 0 до 8.</translation>
    </message>
    <message>
        <source>Час снятия: от 0 до 23.</source>
        <translation>Час снятия: от 0 до 23.</translation>
    </message>
    <message>
        <source>Минута снятия: от 0 до 59.</source>
        <translation>Минута снятия: от 0 до 59.</translation>
    </message>
    <message>
        <source>Setting failure!</source>
        <translation>Ошибка настройки!</translation>
    </message>
    <message>
        <source>Setting Successful!</source>
        <translation>Настройка выполнена!</translation>
    </message>
    <message>
        <source>Сбой!</source>
        <translation>Сбой!</translation>
    </message>
    <message>
        <source>Do not search the host!!</source>
        <translation>3G-камера не найдена!</translation>
    </message>
    <message>
        <source>Data sending error!</source>
        <translation>Ошибка отправки данных!</translation>
    </message>
    <message>
        <source>Sending Successful</source>
        <translation>Отправлено</translation>
    </message>
    <message>
        <source>Text is too long!</source>
        <translation>Текст слишком длинный!</translation>
    </message>
    <message>
        <source>Invalid character!</source>
        <translation>Недопустимый символ!</translation>
    </message>
    <message>
        <source>Удалить все датчики из памяти 3G камеры?</source>
        <translation>Удалить все датчики из памяти 3G-камеры?</translation>
    </message>
    <message>
        <source>Удалить все пульты из памяти 3G камеры?</source>
        <translation>Удалить все пульты из памяти 3G-камеры?</translation>
    </message>
    <message>
        <source>Удалить все звонки из памяти 3G камеры?</source>
        <translation>Удалить все звонки из памяти 3G-камеры?</translation>
    </message>
    <message>
        <source>Пульт ДУ</source>
        <translation>Пульт ДУ</translation>
    </message>
    <message>
        <source>Беспроводной звонок</source>
        <translation>Беспроводной звонок</translation>
    </message>
    <message>
        <source>Беспроводная датчик</source>
        <translation>Беспроводной датчик</translation>
    </message>
    <message>
        <source>Введите зону!!</source>
        <translation>Введите зону!</translation>
    </message>
    <message>
        <source>Введите NO. датчика!!</source>
        <translation>Введите № датчика!</translation>
    </message>
    <message>
        <source>Укажите ID сирены!!</source>
        <translation>Укажите ID сирены!</translation>
    </message>
    <message>
        <source>Ошибка формата ввода!!</source>
        <translation>Ошибка формата ввода!</translation>
    </message>
    <message>
        <source>Ошибка передачи данных!</source>
        <translation>Ошибка передачи данных!</translation>
    </message>
    <message>
        <source>Пожалуйста, триггерный датчик для записи в течение 30-х годов!</source>
        <translation>Пожалуйста, приведите датчик в действие в течение 30 секунд, чтобы записать его!</translation>
    </message>
    <message>
        <source>Все</source>
        <translation>Все</translation>
    </message>
    <message>
        <source>Тревожная кнопка</source>
        <translation>Тревожная кнопка</translation>
    </message>
    <message>
        <source>PIR-датчик</source>
        <translation>PIR-датчик</translation>
    </message>
    <message>
        <source>DДверной датчик</source>
        <translation>Дверной датчик</translation>
    </message>
    <message>
        <source>Пусто</source>
        <translation>Пусто</translation>
    </message>
    <message>
        <source>Выборка</source>
        <translation>Выборка</translation>
    </message>
    <message>
        <source>Задержка активации</source>
        <translation>Задержка активации</translation>
    </message>
    <message>
        <source>Задержка выборки</source>
        <translation>Задержка выборки</translation>
    </message>
    <message>
        <source>Название датчика</source>
        <translation>Название датчика</translation>
    </message>
    <message>
        <source>Номер датчика</source>
        <translation>Номер датчика</translation>
    </message>
    <message>
        <source>Режим</source>
        <translation>Режим</translation>
    </message>
    <message>
        <source>Не искать датчик!</source>
        <translation>Датчики не найдены!</translation>
    </message>
    <message>
        <source>Укажите ID!!</source>
        <translation>Укажите ID!</translation>
    </message>
    <message>
        <source>Настройки приняты</source>
        <translation>Настройки приняты</translation>
    </message>
    <message>
        <source>Ошибка синхронизации времени!</source>
        <translation>Ошибка синхронизации времени!</translation>
    </message>
    <message>
        <source>Время успешно синхронизировано!</source>
        <translation>Время успешно синхронизировано!</translation>
    </message>
    <message>
        <source>Длина пароля должна составлять 4 символа!</source>
        <translation>Длина пароля должна составлять 4 символа!</translation>
    </message>
    <message>
        <source>Password input varies from!</source>
        <translation>Пароли не совпадают!</translation>
    </message>
    <message>
        <source>Failure</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Сбой изменения пароля!</source>
        <translation>Сбой изменения пароля!</translation>
    </message>
    <message>
        <source>Измененный пароль принят!</source>
        <translation>Новый пароль принят!</translation>
    </message>
    <message>
        <source>Неверный пароль!</source>
        <translation>Неверный пароль!</translation>
    </message>
    <message>
        <source>Измененный пароль пароля!</source>
        <translation>Пароль не изменён!</translation>
    </message>
    <message>
        <source>Защита входящего вызова паролем</source>
        <translation>Защита входящего вызова паролем</translation>
    </message>
    <message>
        <source>Звуковое сопровождение сирены</source>
        <translation>Звуковое сопровождение сирены</translation>
    </message>
    <message>
        <source>Тревога при отключении электричества</source>
        <translation>Тревога при отключении электричества</translation>
    </message>
    <message>
        <source>SMS при постановке/снятии</source>
        <translation>SMS при постановке/снятии</translation>
    </message>
    <message>
        <source>Запись при постановке</source>
        <translation>Запись при постановке</translation>
    </message>
    <message>
        <source>Отразить изображение</source>
        <translation>Отразить изображение</translation>
    </message>
    <message>
        <source>Запись видео/фото при тревоге</source>
        <translation>Запись видео/фото при тревоге</translation>
    </message>
    <message>
        <source>Автоматически</source>
        <translation>Автоматически</translation>
    </message>
    <message>
        <source>Только 3G (WCDMA)</source>
        <translation>Только 3G (WCDMA)</translation>
    </message>
    <message>
        <source>Сбой получения настроек!</source>
        <translation>Сбой получения настроек!</translation>
    </message>
    <message>
        <source>Setting configure failed!</source>
        <translation>Ошибка записи настроек!</translation>
    </message>
    <message>
        <source>Настройки конфигурации приняты!</source>
        <translation>Настройки конфигурации приняты!</translation>
    </message>
    <message>
        <source>Настройки конфигурации не верны!</source>
        <translation>Настройки конфигурации не приняты!</translation>
    </message>
    <message>
        <source>Getting configure failed!</source>
        <translation>Не удалось получить настройки!</translation>
    </message>
    <message>
        <source>Сброс выполнен!</source>
        <translation>Сброс выполнен!</translation>
    </message>
    <message>
        <source>Ошибка сброса!</source>
        <translation>Ошибка сброса!</translation>
    </message>
    <message>
        <source>Форматирование успешно завершено!</source>
        <translation>Форматирование успешно завершено!</translation>
    </message>
    <message>
        <source>Неверная команда!</source>
        <translation>Неверная команда!</translation>
    </message>
    <message>
        <source>Выполнить сброс 3G камеры?</source>
        <translation>Выполнить сброс 3G-камеры?</translation>
    </message>
    <message>
        <source>Форматировать microSD карту? Все записи на карте будут удалены.</source>
        <translation>Форматировать карту microSD? Все записи на карте будут удалены.</translation>
    </message>
    <message>
        <source>Неверный пароль!!</source>
        <translation>Неверный пароль!</translation>
    </message>
    <message>
        <source>Your computer can&apos;t find COM!</source>
        <translation>На компьютере не найдено ни одного COM-порта!</translation>
    </message>
    <message>
        <source>Remind</source>
        <translation>Внимание</translation>
    </message>
    <message>
        <source>Пожалуйста, выберите COM-порт!</source>
        <translation>Пожалуйста, выберите COM-порт!</translation>
    </message>
    <message>
        <source>Open registration form failure! </source>
        <translation>Не удалось открыть реестр! </translation>
    </message>
    <message>
        <source>Авто</source>
        <translation>Авто</translation>
    </message>
    <message>
        <source>不能传参数0给SetCommn方法！</source>
        <translation>Методу SetCommn нельзя передать 0!</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>加载配置文件config.ini失败！
</source>
        <translation>Не удалось загрузить файл конфигурации config.ini!
</translation>
    </message>
    <message>
        <source>加载命令文件config.ini失败！
</source>
        <translation>Не удалось загрузить файл команд config.ini!
</translation>
    </message>
    <message>
        <source>错误！</source>
        <translation>Ошибка!</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>打开串口出错！</source>
        <translation>Ошибка открытия последовательного порта!</translation>
    </message>
    <message>
        <source>Связь с хостом потеряна!</source>
        <translation>Связь с хостом потеряна!</translation>
    </message>
    <message>
        <source>打开 %1 失败</source>
        <translation>Не удалось открыть %1</translation>
    </message>
    <message>
        <source>%1 3G-камера не найдена!</source>
        <translation>%1: 3G-камера не найдена!</translation>
    </message>
    <message>
        <source>%1 Successful to find main host!</source>
        <translation>%1: 3G-камера найдена!</translation>
    </message>
    <message>
        <source>Сбой при сохранения телефонных номеров %1!</source>
        <translation>Сбой при сохранении телефонного номера %1!</translation>
    </message>
    <message>
        <source>Знак %1 нельзя сохранить в номере: допустимы только цифры, * и G.</source>
        <translation>Знак %1 нельзя сохранить в номере: допустимы только цифры, * и G.</translation>
    </message>
    <message>
        <source>Номер слишком длинный: не больше %1 знаков.</source>
        <translation>Номер слишком длинный: не больше %1 знаков.</translation>
    </message>
    <message>
        <source>keypad</source>
        <translation>Клавиатура</translation>
    </message>
    <message>
        <source>Хост не ответил</source>
        <translation>Хост не ответил</translation>
    </message>
    <message>
        <source>Хост принял команду отправить тестовое MMS</source>
        <translation>Хост принял команду отправить тестовое MMS</translation>
    </message>
    <message>
        <source>Хост ответил, но не подтвердил команду</source>
        <translation>Хост ответил, но не подтвердил команду</translation>
    </message>
    <message>
        <source>Удалено</source>
        <translation>Удалено</translation>
    </message>
    <message>
        <source>ID сирены записан</source>
        <translation>ID сирены записан</translation>
    </message>
    <message>
        <source>Пароль 0000 не допускается: ни текущий, ни новый пароль не может состоять из одних нулей.</source>
        <translation>Пароль 0000 не допускается: ни текущий, ни новый пароль не может состоять из одних нулей.</translation>
    </message>
    <message>
        <source>Настройки системы</source>
        <translation>Настройки системы</translation>
    </message>
    <message>
        <source>Расписания</source>
        <translation>Расписания</translation>
    </message>
    <message>
        <source>Телефонные номера</source>
        <translation>Телефонные номера</translation>
    </message>
    <message>
        <source>Датчики</source>
        <translation>Датчики</translation>
    </message>
    <message>
        <source>Длительность сирены, минут</source>
        <translation>Длительность сирены, минут</translation>
    </message>
    <message>
        <source>Количество повторов набора</source>
        <translation>Количество повторов набора</translation>
    </message>
    <message>
        <source>Задержка постановки, секунд</source>
        <translation>Задержка постановки, секунд</translation>
    </message>
    <message>
        <source>Задержка тревоги, секунд</source>
        <translation>Задержка тревоги, секунд</translation>
    </message>
    <message>
        <source>Размер MMS изображения</source>
        <translation>Размер MMS изображения</translation>
    </message>
    <message>
        <source>Режим связи</source>
        <translation>Режим связи</translation>
    </message>
    <message>
        <source>Устройство</source>
        <translation>Устройство</translation>
    </message>
    <message>
        <source>Вкл.</source>
        <translation>Вкл.</translation>
    </message>
    <message>
        <source>Выкл.</source>
        <translation>Выкл.</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Слабый</source>
        <translation>Слабый</translation>
    </message>
    <message>
        <source>Средний</source>
        <translation>Средний</translation>
    </message>
    <message>
        <source>Хороший</source>
        <translation>Хороший</translation>
    </message>
    <message>
        <source>Отличный</source>
        <translation>Отличный</translation>
    </message>
    <message>
        <source>Не измерен</source>
        <translation>Не измерен</translation>
    </message>
    <message>
        <source>Вне шкалы</source>
        <translation>Вне шкалы</translation>
    </message>
</context>
</TS>
