<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
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
        <source>Подтвердить </source>
        <translation>Confirm </translation>
    </message>
    <message>
        <source>About Norvane</source>
        <translation>About Veyra Setup</translation>
    </message>
    <message>
        <source>Norvane 3G Alarm Setup, version %1</source>
        <translation>Veyra Setup, version %1</translation>
    </message>
</context>
<context>
    <name>CAlarmHistoryDlg</name>
    <message>
        <source>История тревог</source>
        <translation>Alarm history</translation>
    </message>
    <message>
        <source>Удалить всё</source>
        <translation>Delete all</translation>
    </message>
    <message>
        <source>Обновить</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Копировать выделенные строки</source>
        <translation>Copy selected rows</translation>
    </message>
    <message>
        <source>Сохранить таблицу в CSV...</source>
        <translation>Save table as CSV...</translation>
    </message>
    <message>
        <source>Сохранить журнал тревог</source>
        <translation>Save alarm log</translation>
    </message>
    <message>
        <source>CSV (*.csv);;Все файлы (*)</source>
        <translation>CSV (*.csv);;All files (*)</translation>
    </message>
    <message>
        <source>Прочитано записей: %1</source>
        <translation>Events read: %1</translation>
    </message>
    <message>
        <source>Записи журнала тревог</source>
        <translation>Alarm log records</translation>
    </message>
</context>
<context>
    <name>CAlarmPhoneDlg</name>
    <message>
        <source>Ввод телефонных номеров</source>
        <translation>Telephone numbers</translation>
    </message>
    <message>
        <source>Проверить</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Изменить</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>Не отмечен ни один номер: записывать нечего</source>
        <translation>No number is ticked: nothing to save</translation>
    </message>
    <message>
        <source>Записано номеров: %1 из %2</source>
        <translation>Numbers saved: %1 of %2</translation>
    </message>
    <message>
        <source>Прочитано номеров: %1</source>
        <translation>Numbers read: %1</translation>
    </message>
</context>
<context>
    <name>CBackupActions</name>
    <message>
        <source>Файл конфигурации не прочитан: %1</source>
        <translation>The configuration file was not read: %1</translation>
    </message>
    <message>
        <source>Файл %1 не принят, строка %2: %3</source>
        <translation>File %1 refused, line %2: %3</translation>
    </message>
    <message>
        <source>Чтение конфигурации 3G камеры</source>
        <translation>Reading the 3G camera&apos;s configuration</translation>
    </message>
    <message>
        <source>Сбой чтения конфигурации: %1</source>
        <translation>Reading the configuration failed: %1</translation>
    </message>
    <message>
        <source>Конфигурация не сохранена: %1</source>
        <translation>The configuration was not saved: %1</translation>
    </message>
    <message>
        <source>Конфигурация сохранена в %1 (датчиков: %2).</source>
        <translation>Configuration saved to %1 (devices: %2).</translation>
    </message>
    <message>
        <source>Не восстанавливается из файла:
%1</source>
        <translation>Not restorable from the file:
%1</translation>
    </message>
    <message>
        <source>Записать в 3G камеру настройки, таймеры и телефонные номера из файла %1? Текущие будут заменены.</source>
        <translation>Write the settings, timers and telephone numbers of %1 to the 3G camera? The current ones will be replaced.</translation>
    </message>
    <message>
        <source>Запись конфигурации в 3G камеру</source>
        <translation>Writing the configuration to the 3G camera</translation>
    </message>
    <message>
        <source>Конфигурация записана: подтверждено %1 из %1.</source>
        <translation>Configuration written: %1 of %1 acknowledged.</translation>
    </message>
    <message>
        <source>Подтверждено %1 из %2. Не подтверждено:
%3</source>
        <translation>%1 of %2 acknowledged. Not acknowledged:
%3</translation>
    </message>
    <message>
        <source>Датчики не восстанавливаются: их нужно привязать на месте.</source>
        <translation>Devices are not restored: learn them at the host.</translation>
    </message>
    <message>
        <source>Конфигурация 3G камеры совпадает с файлом.</source>
        <translation>The 3G camera&apos;s configuration matches the file.</translation>
    </message>
    <message>
        <source>Сохранить конфигурацию…</source>
        <translation>Save configuration…</translation>
    </message>
    <message>
        <source>Восстановить конфигурацию…</source>
        <translation>Restore configuration…</translation>
    </message>
    <message>
        <source>Сравнить с файлом…</source>
        <translation>Compare with file…</translation>
    </message>
</context>
<context>
    <name>CCaptionButton</name>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Свернуть</source>
        <translation>Minimize</translation>
    </message>
</context>
<context>
    <name>CClockPage</name>
    <message>
        <source>0000-00-00 00:00:00 Понедельник</source>
        <translation>0000-00-00 00:00:00 Wednesday</translation>
    </message>
    <message>
        <source>Синхронизировать</source>
        <translation>Synchronize</translation>
    </message>
    <message>
        <source>Время на компьютере:</source>
        <translation>Computer time:</translation>
    </message>
</context>
<context>
    <name>CDialogBase</name>
    <message>
        <source>&amp;Переместить</source>
        <translation>&amp;Move</translation>
    </message>
    <message>
        <source>&amp;Свернуть</source>
        <translation>Mi&amp;nimize</translation>
    </message>
    <message>
        <source>&amp;Закрыть</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Свернуть</source>
        <translation>Minimize</translation>
    </message>
    <message>
        <source>Свернуть окно</source>
        <translation>Minimize the window</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Закрыть окно</source>
        <translation>Close the window</translation>
    </message>
</context>
<context>
    <name>CDifferencesDlg</name>
    <message>
        <source>Отличия от файла</source>
        <translation>Differences from the file</translation>
    </message>
    <message>
        <source>Файл %1: отличий от 3G камеры %2.</source>
        <translation>File %1: %2 differences from the 3G camera.</translation>
    </message>
    <message>
        <source>Раздел</source>
        <translation>Area</translation>
    </message>
    <message>
        <source>Поле</source>
        <translation>Field</translation>
    </message>
    <message>
        <source>В файле</source>
        <translation>In the file</translation>
    </message>
    <message>
        <source>В камере</source>
        <translation>On the camera</translation>
    </message>
    <message>
        <source>Раздел, поле, значение в файле и в 3G камере</source>
        <translation>Area, field, value in the file and on the 3G camera</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>CLoginDlg</name>
    <message>
        <source>Авторизация</source>
        <translation>Login</translation>
    </message>
    <message>
        <source>Пароль:</source>
        <translation>Password:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Введите пароль из четырёх цифр</source>
        <translation>Enter the four-digit password</translation>
    </message>
</context>
<context>
    <name>CMainDlg</name>
    <message>
        <source>About Norvane(&amp;A)...</source>
        <translation>About Veyra Setup(&amp;A)...</translation>
    </message>
    <message>
        <source>Утилита настройки системы 3G видео-сигнализации</source>
        <translation>3G video alarm system setup utility</translation>
    </message>
    <message>
        <source>Открыть COM-порт</source>
        <translation>Open COM port</translation>
    </message>
    <message>
        <source>Поиск 3G-камеры</source>
        <translation>Find 3G camera</translation>
    </message>
    <message>
        <source>Поиск статус</source>
        <translation>Search status</translation>
    </message>
    <message>
        <source>Добро пожаловать в 3G видео сигнализацию «Veyra»(V3.2)</source>
        <translation>Welcome to the «Veyra» 3G video alarm (V3.2)</translation>
    </message>
    <message>
        <source>Закрыть COM-порт</source>
        <translation>Close COM port</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Connected</translation>
    </message>
    <message>
        <source>Not connected</source>
        <translation>Not connected</translation>
    </message>
    <message>
        <source>%1: неверный пароль, вход не выполнен</source>
        <translation>%1: wrong password, not logged in</translation>
    </message>
    <message>
        <source>Порт %1 закрыт</source>
        <translation>Port %1 closed</translation>
    </message>
    <message>
        <source>Порт %1 открыт, вход не выполнялся</source>
        <translation>Port %1 open, not logged in</translation>
    </message>
    <message>
        <source>Не удалось открыть порт %1</source>
        <translation>Could not open port %1</translation>
    </message>
    <message>
        <source>COM-порт</source>
        <translation>COM port</translation>
    </message>
    <message>
        <source>Порт, который открыть или на котором искать 3G камеру</source>
        <translation>The port to open or to search for the 3G camera on</translation>
    </message>
    <message>
        <source>Сетевой порт…</source>
        <translation>Network port…</translation>
    </message>
</context>
<context>
    <name>CMessageDialog</name>
    <message>
        <source>Да</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>No</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CMmsSettingDlg</name>
    <message>
        <source>MMS Setting</source>
        <translation>MMS Setting</translation>
    </message>
    <message>
        <source>SET</source>
        <translation>SET</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>Send MMS Test</source>
        <translation>Send MMS Test</translation>
    </message>
    <message>
        <source>Phone:</source>
        <translation>Phone:</translation>
    </message>
    <message>
        <source>APN:</source>
        <translation>APN:</translation>
    </message>
    <message>
        <source>USER:</source>
        <translation>User:</translation>
    </message>
    <message>
        <source>PASSWORD:</source>
        <translation>Password:</translation>
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
        <translation>Port:</translation>
    </message>
    <message>
        <source>Версия WAP</source>
        <translation>WAP version</translation>
    </message>
</context>
<context>
    <name>CNetworkPortDlg</name>
    <message>
        <source>Сетевой порт</source>
        <translation>Network port</translation>
    </message>
    <message>
        <source>Адрес:</source>
        <translation>Address:</translation>
    </message>
    <message>
        <source>Адрес сетевого порта</source>
        <translation>Network port address</translation>
    </message>
    <message>
        <source>tcp://АДРЕС:ПОРТ — байты как есть,
rfc2217://АДРЕС:ПОРТ — с настройкой линии (RFC 2217)</source>
        <translation>tcp://HOST:PORT — bytes as they are,
rfc2217://HOST:PORT — with the line settings (RFC 2217)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Адрес не понят: проверьте его вид и порт (от 1 до 65535)</source>
        <translation>Address not understood: check its form and the port (1 to 65535)</translation>
    </message>
</context>
<context>
    <name>COperateHostDlg</name>
    <message>
        <source> Работа с системой </source>
        <translation> System control </translation>
    </message>
    <message>
        <source>Активировать систему</source>
        <translation>Arm system</translation>
    </message>
    <message>
        <source>Деактивировать систему</source>
        <translation>Disarm system</translation>
    </message>
    <message>
        <source>Выборочный режим</source>
        <translation>Partial arming</translation>
    </message>
</context>
<context>
    <name>CPasswordPage</name>
    <message>
        <source>Отправить</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>Текущий пароль:</source>
        <translation>Current password:</translation>
    </message>
    <message>
        <source>Новый пароль:</source>
        <translation>New password:</translation>
    </message>
    <message>
        <source>Подтвердить новый пароль:</source>
        <translation>Confirm new password:</translation>
    </message>
    <message>
        <source>Показать пароли</source>
        <translation>Show passwords</translation>
    </message>
</context>
<context>
    <name>CSensorEditPage</name>
    <message>
        <source>Присвоить код</source>
        <translation>Assign code</translation>
    </message>
    <message>
        <source>Нажмите для установки кода</source>
        <translation>Press to assign the code</translation>
    </message>
    <message>
        <source>Название:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Режим:</source>
        <translation>Mode:</translation>
    </message>
    <message>
        <source>Зона:</source>
        <translation>Zone:</translation>
    </message>
    <message>
        <source>Удалить датчик</source>
        <translation>Delete sensor</translation>
    </message>
    <message>
        <source>Удалить все пульты</source>
        <translation>Delete all remotes</translation>
    </message>
    <message>
        <source>Удалить все датчики</source>
        <translation>Delete all sensors</translation>
    </message>
    <message>
        <source>Удалить все звонки</source>
        <translation>Delete all doorbells</translation>
    </message>
    <message>
        <source>NO. датчика:</source>
        <translation>Sensor No.:</translation>
    </message>
    <message>
        <source>ID беспроводной сирены</source>
        <translation>Wireless siren ID</translation>
    </message>
    <message>
        <source>Установить</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>ID:</source>
        <translation>ID:</translation>
    </message>
    <message>
        <source>Хост ждёт сигнала датчика: осталось %1 с</source>
        <translation>The host is listening for the sensor: %1 s left</translation>
    </message>
    <message>
        <source>Ожидание датчика окончено: проверьте «Список датчиков»</source>
        <translation>The host has stopped listening for the sensor: check the sensor list</translation>
    </message>
</context>
<context>
    <name>CSensorListPage</name>
    <message>
        <source>Проверить</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Название датчика:</source>
        <translation>Sensor name:</translation>
    </message>
    <message>
        <source>Показано устройств: %1</source>
        <translation>Devices shown: %1</translation>
    </message>
    <message>
        <source>Датчики 3G камеры</source>
        <translation>The 3G camera&apos;s sensors</translation>
    </message>
</context>
<context>
    <name>CSensorsDlg</name>
    <message>
        <source>Настройка датчиков</source>
        <translation>Sensor setup</translation>
    </message>
    <message>
        <source>Список датчиков</source>
        <translation>Sensor list</translation>
    </message>
</context>
<context>
    <name>CSettingsDlg</name>
    <message>
        <source>Настройки</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Текущая конфигурация</source>
        <translation>Current configuration</translation>
    </message>
    <message>
        <source>Изменение пароля</source>
        <translation>Change password</translation>
    </message>
    <message>
        <source>Синхронизация часов</source>
        <translation>Clock synchronization</translation>
    </message>
</context>
<context>
    <name>CSetupPage</name>
    <message>
        <source>0-90 секунд</source>
        <translation>0-90 seconds</translation>
    </message>
    <message>
        <source>Длительность сирены </source>
        <translation>Siren duration </translation>
    </message>
    <message>
        <source> минут</source>
        <translation> minutes</translation>
    </message>
    <message>
        <source>Количество повторов набора </source>
        <translation>Redial attempts </translation>
    </message>
    <message>
        <source>раз</source>
        <translation>times</translation>
    </message>
    <message>
        <source>Задержка постановки</source>
        <translation>Arming delay</translation>
    </message>
    <message>
        <source>секунд</source>
        <translation>seconds</translation>
    </message>
    <message>
        <source>Задержка тревоги  </source>
        <translation>Alarm delay  </translation>
    </message>
    <message>
        <source>Размер MMS изображения</source>
        <translation>MMS picture size</translation>
    </message>
    <message>
        <source>Режим связи</source>
        <translation>Network mode</translation>
    </message>
    <message>
        <source>Уровень сигнала:</source>
        <translation>Signal level:</translation>
    </message>
    <message>
        <source>Получить</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Сбросить</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Форматировать microSD карту</source>
        <translation>Format microSD card</translation>
    </message>
    <message>
        <source>%1, код %2</source>
        <translation>%1, code %2</translation>
    </message>
    <message>
        <source>%1 (%2 из %3), код %4</source>
        <translation>%1 (%2 of %3), code %4</translation>
    </message>
    <message>
        <source>Не прочитан</source>
        <translation>Not read</translation>
    </message>
</context>
<context>
    <name>CSmartHomeDlg</name>
    <message>
        <source>Умный дом</source>
        <translation>Smart home</translation>
    </message>
    <message>
        <source>Установить ID</source>
        <translation>Set ID</translation>
    </message>
    <message>
        <source>Послать код</source>
        <translation>Send code</translation>
    </message>
    <message>
        <source>ID Системы:</source>
        <translation>System ID:</translation>
    </message>
    <message>
        <source>Одинарный триггер:</source>
        <translation>Single trigger:</translation>
    </message>
    <message>
        <source>Двойной триггер:</source>
        <translation>Double trigger:</translation>
    </message>
</context>
<context>
    <name>CTimedArmDlg</name>
    <message>
        <source>Время постановки/cнятия</source>
        <translation>Arm/disarm times</translation>
    </message>
    <message>
        <source>Расписание постановки/снятия</source>
        <translation>Arm/disarm schedule</translation>
    </message>
    <message>
        <source>Look up Timed arm/disarm</source>
        <translation>Look up Timed arm/disarm</translation>
    </message>
    <message>
        <source>Настройки времени постановки/снятия</source>
        <translation>Arm/disarm time settings</translation>
    </message>
    <message>
        <source>Setting Timed Arm/Disarm</source>
        <translation>Setting Timed Arm/Disarm</translation>
    </message>
</context>
<context>
    <name>CTimedLookupPage</name>
    <message>
        <source>Проверить</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Прочитано групп: %1</source>
        <translation>Groups read: %1</translation>
    </message>
    <message>
        <source>Расписания групп</source>
        <translation>Group schedules</translation>
    </message>
</context>
<context>
    <name>CTimedSettingPage</name>
    <message>
        <source>Время постановки</source>
        <translation>Arm time</translation>
    </message>
    <message>
        <source>Время снятия</source>
        <translation>Disarm time</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Дата:</source>
        <translation>Day:</translation>
    </message>
    <message>
        <source>Час:</source>
        <translation>Hour:</translation>
    </message>
    <message>
        <source>Минута:</source>
        <translation>Minute:</translation>
    </message>
    <message>
        <source>Группа</source>
        <translation>Group</translation>
    </message>
</context>
<context>
    <name>CTrafficLog</name>
    <message>
        <source>Файл журнала обмена</source>
        <translation>Traffic log file</translation>
    </message>
    <message>
        <source>Журнал (*.log *.txt);;Все файлы (*)</source>
        <translation>Log (*.log *.txt);;All files (*)</translation>
    </message>
    <message>
        <source>Записывать обмен в файл…</source>
        <translation>Log traffic to a file…</translation>
    </message>
    <message>
        <source>Не удалось открыть файл журнала обмена:
%1</source>
        <translation>Cannot open the traffic log file:
%1</translation>
    </message>
</context>
<context>
    <name>TileTable</name>
    <message>
        <source>Настройки системы</source>
        <translation>System settings</translation>
    </message>
    <message>
        <source>Журнал тревог</source>
        <translation>Alarm log</translation>
    </message>
    <message>
        <source>Установка режимов</source>
        <translation>Arm/disarm</translation>
    </message>
    <message>
        <source>Расписания</source>
        <translation>Schedules</translation>
    </message>
    <message>
        <source>Настройки телефонных номеров</source>
        <translation>Telephone numbers</translation>
    </message>
    <message>
        <source>Настройки датчиков</source>
        <translation>Sensor settings</translation>
    </message>
    <message>
        <source>MMS Setting</source>
        <translation>MMS Setting</translation>
    </message>
    <message>
        <source>MMS Set</source>
        <translation>MMS Set</translation>
    </message>
    <message>
        <source>Умный дом</source>
        <translation>Smart home</translation>
    </message>
    <message>
        <source>Обновление</source>
        <translation>Upgrade</translation>
    </message>
    <message>
        <source>Check alarm history</source>
        <translation>Check alarm history</translation>
    </message>
    <message>
        <source>Setting Alarm Telephone Numbers</source>
        <translation>Setting Alarm Telephone Numbers</translation>
    </message>
    <message>
        <source>Operate on the host</source>
        <translation>Operate on the host</translation>
    </message>
    <message>
        <source>Setting Timed Arm/Disarm</source>
        <translation>Setting Timed Arm/Disarm</translation>
    </message>
    <message>
        <source>System Setup</source>
        <translation>System Setup</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>Upgrade</translation>
    </message>
    <message>
        <source>Сирена, задержки, пароль и часы 3G камеры</source>
        <translation>Siren, delays, password and clock of the 3G camera</translation>
    </message>
    <message>
        <source>Чтение и очистка журнала тревог 3G камеры</source>
        <translation>Read and erase the 3G camera&apos;s alarm log</translation>
    </message>
    <message>
        <source>Постановка на охрану, снятие с охраны и выборочный режим</source>
        <translation>Arm, disarm and partial arming</translation>
    </message>
    <message>
        <source>Время постановки и снятия трёх групп</source>
        <translation>Arm and disarm times of the three groups</translation>
    </message>
    <message>
        <source>Номера для звонков, SMS и MMS при тревоге</source>
        <translation>Numbers called and sent SMS and MMS on an alarm</translation>
    </message>
    <message>
        <source>Список датчиков, привязка и удаление датчиков</source>
        <translation>List, learn and delete sensors</translation>
    </message>
    <message>
        <source>Параметры MMS и проверочное MMS</source>
        <translation>MMS parameters and a test MMS</translation>
    </message>
    <message>
        <source>Коды управления умным домом</source>
        <translation>Smart-home control codes</translation>
    </message>
    <message>
        <source>Обновление программы 3G камеры</source>
        <translation>Update the 3G camera&apos;s software</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Демо-хост</source>
        <translation>Demo host</translation>
    </message>
    <message>
        <source>Демо: хост на COM%1, пароль %2</source>
        <translation>Demo: host on COM%1, password %2</translation>
    </message>
</context>
<context>
    <name>veyra</name>
    <message>
        <source>Loading config.ini Failure!！
</source>
        <translation>Loading config.ini failed!
</translation>
    </message>
    <message>
        <source>Failure!</source>
        <translation>Failure!</translation>
    </message>
    <message>
        <source>Извините, у вас нет полномочий для обновления системы!</source>
        <translation>Sorry, you are not authorized to upgrade the system!</translation>
    </message>
    <message>
        <source>База</source>
        <translation>Base unit</translation>
    </message>
    <message>
        <source>Пульт</source>
        <translation>Remote</translation>
    </message>
    <message>
        <source>Датчик движения</source>
        <translation>Motion sensor</translation>
    </message>
    <message>
        <source>Дверной датчик</source>
        <translation>Door sensor</translation>
    </message>
    <message>
        <source>Датчик дыма</source>
        <translation>Smoke detector</translation>
    </message>
    <message>
        <source>Датчик газа</source>
        <translation>Gas detector</translation>
    </message>
    <message>
        <source>SMS</source>
        <translation>SMS</translation>
    </message>
    <message>
        <source>Проводной датчик</source>
        <translation>Wired sensor</translation>
    </message>
    <message>
        <source>Приближается посетитель</source>
        <translation>Visitor approaching</translation>
    </message>
    <message>
        <source>Неназначено</source>
        <translation>Unassigned</translation>
    </message>
    <message>
        <source>Активный ИК</source>
        <translation>Active IR</translation>
    </message>
    <message>
        <source>Датчик воды</source>
        <translation>Water sensor</translation>
    </message>
    <message>
        <source>Тепловой датчик</source>
        <translation>Heat detector</translation>
    </message>
    <message>
        <source>Беспроводная клавиатура</source>
        <translation>Wireless keypad</translation>
    </message>
    <message>
        <source>Постановка на охрану</source>
        <translation>Armed</translation>
    </message>
    <message>
        <source>Тревога</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>Снятие с охраны</source>
        <translation>Disarmed</translation>
    </message>
    <message>
        <source>Выборочный</source>
        <translation>Partially armed</translation>
    </message>
    <message>
        <source>SOS</source>
        <translation>SOS</translation>
    </message>
    <message>
        <source>Постановка на охрану с телефона</source>
        <translation>Armed by phone</translation>
    </message>
    <message>
        <source>Снятие с охраны с телефона</source>
        <translation>Disarmed by phone</translation>
    </message>
    <message>
        <source>Питание восстановлено</source>
        <translation>Power restored</translation>
    </message>
    <message>
        <source>Neighbour Alarm</source>
        <translation>Neighbour Alarm</translation>
    </message>
    <message>
        <source>Линия повреждена</source>
        <translation>Line fault</translation>
    </message>
    <message>
        <source>Линия восстановлена</source>
        <translation>Line restored</translation>
    </message>
    <message>
        <source>Таймер постановки на охрану</source>
        <translation>Armed by timer</translation>
    </message>
    <message>
        <source>Таймер снятия с охраны</source>
        <translation>Disarmed by timer</translation>
    </message>
    <message>
        <source>Сбой проверки</source>
        <translation>Check failed</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Название</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Событие</source>
        <translation>Event</translation>
    </message>
    <message>
        <source>Зона</source>
        <translation>Zone</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>3G камера не найдена!!</source>
        <translation>3G camera not found!</translation>
    </message>
    <message>
        <source>Нет истории!</source>
        <translation>No history!</translation>
    </message>
    <message>
        <source>Сбой очистки истории!</source>
        <translation>Clearing the history failed!</translation>
    </message>
    <message>
        <source>Удаление завершено!</source>
        <translation>Deletion complete!</translation>
    </message>
    <message>
        <source>Не удалось сохранить файл!</source>
        <translation>The file could not be saved!</translation>
    </message>
    <message>
        <source>3G камера не найдена</source>
        <translation>3G camera not found</translation>
    </message>
    <message>
        <source>Ошибка активации!</source>
        <translation>Arming failed!</translation>
    </message>
    <message>
        <source>Ошибка деактивации!</source>
        <translation>Disarming failed!</translation>
    </message>
    <message>
        <source>Выборочный режим Failure!</source>
        <translation>Partial arming failed!</translation>
    </message>
    <message>
        <source>Активировать систему!</source>
        <translation>System armed!</translation>
    </message>
    <message>
        <source>Дезактивировать систему!</source>
        <translation>System disarmed!</translation>
    </message>
    <message>
        <source>Выборочный режим OK!</source>
        <translation>Partial arming OK!</translation>
    </message>
    <message>
        <source>Тел. номер 1</source>
        <translation>Phone number 1</translation>
    </message>
    <message>
        <source>Тел. номер 2</source>
        <translation>Phone number 2</translation>
    </message>
    <message>
        <source>Тел. номер 3</source>
        <translation>Phone number 3</translation>
    </message>
    <message>
        <source>Тел. номер 4</source>
        <translation>Phone number 4</translation>
    </message>
    <message>
        <source>Тел. номер 5</source>
        <translation>Phone number 5</translation>
    </message>
    <message>
        <source>Тел. номер 6</source>
        <translation>Phone number 6</translation>
    </message>
    <message>
        <source>SMS. номер 1</source>
        <translation>SMS number 1</translation>
    </message>
    <message>
        <source>SMS. номер 2</source>
        <translation>SMS number 2</translation>
    </message>
    <message>
        <source>SMS. номер 3</source>
        <translation>SMS number 3</translation>
    </message>
    <message>
        <source>MMS.номер 1</source>
        <translation>MMS number 1</translation>
    </message>
    <message>
        <source>MMS.номер 2</source>
        <translation>MMS number 2</translation>
    </message>
    <message>
        <source>MMS.номер 3</source>
        <translation>MMS number 3</translation>
    </message>
    <message>
        <source>Сбой при получении телефонных номеров!</source>
        <translation>Reading the telephone numbers failed!</translation>
    </message>
    <message>
        <source>Сбой при сохранении телефонных номеров!</source>
        <translation>Saving the telephone numbers failed!</translation>
    </message>
    <message>
        <source>Выключить</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>Повседневный</source>
        <translation>Every day</translation>
    </message>
    <message>
        <source>Понедельник</source>
        <translation>Monday</translation>
    </message>
    <message>
        <source>Вторник</source>
        <translation>Tuesday</translation>
    </message>
    <message>
        <source>Среда</source>
        <translation>Wednesday</translation>
    </message>
    <message>
        <source>Четверг</source>
        <translation>Thursday</translation>
    </message>
    <message>
        <source>Пятница</source>
        <translation>Friday</translation>
    </message>
    <message>
        <source>Суббота</source>
        <translation>Saturday</translation>
    </message>
    <message>
        <source>Воскресенье</source>
        <translation>Sunday</translation>
    </message>
    <message>
        <source>Первая группа</source>
        <translation>Group 1</translation>
    </message>
    <message>
        <source>Вторая группа</source>
        <translation>Group 2</translation>
    </message>
    <message>
        <source>Третья группа</source>
        <translation>Group 3</translation>
    </message>
    <message>
        <source>Группа No.</source>
        <translation>Group No.</translation>
    </message>
    <message>
        <source>Постановка</source>
        <translation>Arm</translation>
    </message>
    <message>
        <source>Снятие</source>
        <translation>Disarm</translation>
    </message>
    <message>
        <source>Выберете необходимую группу!</source>
        <translation>Choose a group!</translation>
    </message>
    <message>
        <source>Неверное время!</source>
        <translation>Invalid time!</translation>
    </message>
    <message>
        <source>Setting failure!</source>
        <translation>Setting failure!</translation>
    </message>
    <message>
        <source>Setting Successful!</source>
        <translation>Setting Successful!</translation>
    </message>
    <message>
        <source>Сбой!</source>
        <translation>Failed!</translation>
    </message>
    <message>
        <source>Do not search the host!!</source>
        <translation>Do not search the host!</translation>
    </message>
    <message>
        <source>Data sending error!</source>
        <translation>Data sending error!</translation>
    </message>
    <message>
        <source>Sending Successful</source>
        <translation>Sending Successful</translation>
    </message>
    <message>
        <source>Text is too long!</source>
        <translation>Text is too long!</translation>
    </message>
    <message>
        <source>Invalid character!</source>
        <translation>Invalid character!</translation>
    </message>
    <message>
        <source>Удалить все датчики из памяти 3G камеры?</source>
        <translation>Delete all sensors from the 3G camera&apos;s memory?</translation>
    </message>
    <message>
        <source>Удалить все пульты из памяти 3G камеры?</source>
        <translation>Delete all remotes from the 3G camera&apos;s memory?</translation>
    </message>
    <message>
        <source>Удалить все звонки из памяти 3G камеры?</source>
        <translation>Delete all doorbells from the 3G camera&apos;s memory?</translation>
    </message>
    <message>
        <source>Пульт ДУ</source>
        <translation>Remote control</translation>
    </message>
    <message>
        <source>Беспроводной звонок</source>
        <translation>Wireless doorbell</translation>
    </message>
    <message>
        <source>Беспроводная датчик</source>
        <translation>Wireless sensor</translation>
    </message>
    <message>
        <source>Введите зону!!</source>
        <translation>Enter the zone!</translation>
    </message>
    <message>
        <source>Введите NO. датчика!!</source>
        <translation>Enter the sensor No.!</translation>
    </message>
    <message>
        <source>Укажите ID сирены!!</source>
        <translation>Enter the siren ID!</translation>
    </message>
    <message>
        <source>Ошибка формата ввода!!</source>
        <translation>Invalid input format!</translation>
    </message>
    <message>
        <source>Ошибка передачи данных!</source>
        <translation>Data transmission error!</translation>
    </message>
    <message>
        <source>Пожалуйста, триггерный датчик для записи в течение 30-х годов!</source>
        <translation>Please trigger the sensor within 30 seconds to learn it!</translation>
    </message>
    <message>
        <source>Все</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Тревожная кнопка</source>
        <translation>Panic button</translation>
    </message>
    <message>
        <source>PIR-датчик</source>
        <translation>PIR sensor</translation>
    </message>
    <message>
        <source>DДверной датчик</source>
        <translation>Door sensor</translation>
    </message>
    <message>
        <source>Пусто</source>
        <translation>Empty</translation>
    </message>
    <message>
        <source>Выборка</source>
        <translation>Partial</translation>
    </message>
    <message>
        <source>Задержка активации</source>
        <translation>Arming delay</translation>
    </message>
    <message>
        <source>Задержка выборки</source>
        <translation>Partial arming delay</translation>
    </message>
    <message>
        <source>Название датчика</source>
        <translation>Sensor name</translation>
    </message>
    <message>
        <source>Номер датчика</source>
        <translation>Sensor No.</translation>
    </message>
    <message>
        <source>Режим</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Не искать датчик!</source>
        <translation>No sensors found!</translation>
    </message>
    <message>
        <source>Укажите ID!!</source>
        <translation>Enter the ID!</translation>
    </message>
    <message>
        <source>Настройки приняты</source>
        <translation>Settings accepted</translation>
    </message>
    <message>
        <source>Ошибка синхронизации времени!</source>
        <translation>Clock synchronization failed!</translation>
    </message>
    <message>
        <source>Время успешно синхронизировано!</source>
        <translation>Clock synchronized!</translation>
    </message>
    <message>
        <source>Длина пароля должна составлять 4 символа!</source>
        <translation>The password must be 4 digits long!</translation>
    </message>
    <message>
        <source>Password input varies from!</source>
        <translation>Password input varies from!</translation>
    </message>
    <message>
        <source>Failure</source>
        <translation>Failure</translation>
    </message>
    <message>
        <source>Сбой изменения пароля!</source>
        <translation>Changing the password failed!</translation>
    </message>
    <message>
        <source>Измененный пароль принят!</source>
        <translation>New password accepted!</translation>
    </message>
    <message>
        <source>Неверный пароль!</source>
        <translation>Wrong password!</translation>
    </message>
    <message>
        <source>Измененный пароль пароля!</source>
        <translation>The password was not changed!</translation>
    </message>
    <message>
        <source>Защита входящего вызова паролем</source>
        <translation>Password for incoming calls</translation>
    </message>
    <message>
        <source>Звуковое сопровождение сирены</source>
        <translation>Siren sound</translation>
    </message>
    <message>
        <source>Тревога при отключении электричества</source>
        <translation>Alarm on power failure</translation>
    </message>
    <message>
        <source>SMS при постановке/снятии</source>
        <translation>SMS on arm/disarm</translation>
    </message>
    <message>
        <source>Запись при постановке</source>
        <translation>Record when armed</translation>
    </message>
    <message>
        <source>Отразить изображение</source>
        <translation>Mirror image</translation>
    </message>
    <message>
        <source>Запись видео/фото при тревоге</source>
        <translation>Record video/photo on alarm</translation>
    </message>
    <message>
        <source>Автоматически</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>Только 3G (WCDMA)</source>
        <translation>3G only (WCDMA)</translation>
    </message>
    <message>
        <source>Сбой получения настроек!</source>
        <translation>Reading the settings failed!</translation>
    </message>
    <message>
        <source>Setting configure failed!</source>
        <translation>Setting configure failed!</translation>
    </message>
    <message>
        <source>Настройки конфигурации приняты!</source>
        <translation>Configuration accepted!</translation>
    </message>
    <message>
        <source>Настройки конфигурации не верны!</source>
        <translation>Configuration refused!</translation>
    </message>
    <message>
        <source>Getting configure failed!</source>
        <translation>Getting configure failed!</translation>
    </message>
    <message>
        <source>Сброс выполнен!</source>
        <translation>Reset done!</translation>
    </message>
    <message>
        <source>Ошибка сброса!</source>
        <translation>Reset failed!</translation>
    </message>
    <message>
        <source>Форматирование успешно завершено!</source>
        <translation>Formatting complete!</translation>
    </message>
    <message>
        <source>Неверная команда!</source>
        <translation>Invalid command!</translation>
    </message>
    <message>
        <source>Выполнить сброс 3G камеры?</source>
        <translation>Reset the 3G camera?</translation>
    </message>
    <message>
        <source>Форматировать microSD карту? Все записи на карте будут удалены.</source>
        <translation>Format the microSD card? All recordings on the card will be deleted.</translation>
    </message>
    <message>
        <source>Неверный пароль!!</source>
        <translation>Wrong password!</translation>
    </message>
    <message>
        <source>Your computer can&apos;t find COM!</source>
        <translation>Your computer can&apos;t find COM!</translation>
    </message>
    <message>
        <source>Remind</source>
        <translation>Remind</translation>
    </message>
    <message>
        <source>Пожалуйста, выберите COM-порт!</source>
        <translation>Please choose a COM port!</translation>
    </message>
    <message>
        <source>Open registration form failure! </source>
        <translation>Open registration form failure! </translation>
    </message>
    <message>
        <source>Авто</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>不能传参数0给SetCommn方法！</source>
        <translation>SetCommn cannot take 0 as its argument!</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>加载配置文件config.ini失败！
</source>
        <translation>Loading the configuration file config.ini failed!
</translation>
    </message>
    <message>
        <source>加载命令文件config.ini失败！
</source>
        <translation>Loading the command file config.ini failed!
</translation>
    </message>
    <message>
        <source>错误！</source>
        <translation>Error!</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>打开串口出错！</source>
        <translation>Error opening the serial port!</translation>
    </message>
    <message>
        <source>Связь с хостом потеряна!</source>
        <translation>Connection to the host lost!</translation>
    </message>
    <message>
        <source>打开 %1 失败</source>
        <translation>Opening %1 failed</translation>
    </message>
    <message>
        <source>%1 3G-камера не найдена!</source>
        <translation>%1 3G camera not found!</translation>
    </message>
    <message>
        <source>%1 Successful to find main host!</source>
        <translation>%1 Successful to find main host!</translation>
    </message>
    <message>
        <source>Сбой при сохранения телефонных номеров %1!</source>
        <translation>Saving telephone number %1 failed!</translation>
    </message>
    <message>
        <source>Удалить всю историю тревог на хосте? Это нельзя отменить.</source>
        <translation>Erase the whole alarm history on the host? This cannot be undone.</translation>
    </message>
    <message>
        <source>Знак «+» нельзя сохранить в номере: допустимы только цифры, * и G. Номер «+7…» запишите как «8…» или «007…».</source>
        <translation>The character “+” cannot be stored in a number: only digits, * and G can. Write “+7…” as “8…” or “007…”.</translation>
    </message>
    <message>
        <source>пробел</source>
        <translation>A blank</translation>
    </message>
    <message>
        <source>День постановки: код от 0 до 8.</source>
        <translation>Arm day: a code from 0 to 8.</translation>
    </message>
    <message>
        <source>Час постановки: от 0 до 23.</source>
        <translation>Arm hour: from 0 to 23.</translation>
    </message>
    <message>
        <source>Минута постановки: от 0 до 59.</source>
        <translation>Arm minute: from 0 to 59.</translation>
    </message>
    <message>
        <source>День снятия: код от 0 до 8.</source>
        <translation>Disarm day: a code from 0 to 8.</translation>
    </message>
    <message>
        <source>Час снятия: от 0 до 23.</source>
        <translation>Disarm hour: from 0 to 23.</translation>
    </message>
    <message>
        <source>Минута снятия: от 0 до 59.</source>
        <translation>Disarm minute: from 0 to 59.</translation>
    </message>
    <message>
        <source>Знак %1 нельзя сохранить в номере: допустимы только цифры, * и G.</source>
        <translation>%1 cannot be stored in a number: only digits, * and G can.</translation>
    </message>
    <message>
        <source>Номер слишком длинный: не больше %1 знаков.</source>
        <translation>The number is too long: at most %1 characters.</translation>
    </message>
    <message>
        <source>keypad</source>
        <translation>Keypad</translation>
    </message>
    <message>
        <source>Хост не ответил</source>
        <translation>The host did not answer</translation>
    </message>
    <message>
        <source>Хост принял команду отправить тестовое MMS</source>
        <translation>The host accepted the command to send a test MMS</translation>
    </message>
    <message>
        <source>Хост ответил, но не подтвердил команду</source>
        <translation>The host answered but did not confirm the command</translation>
    </message>
    <message>
        <source>Удалено</source>
        <translation>Deleted</translation>
    </message>
    <message>
        <source>ID сирены записан</source>
        <translation>Siren ID set</translation>
    </message>
    <message>
        <source>Пароль 0000 не допускается: ни текущий, ни новый пароль не может состоять из одних нулей.</source>
        <translation>The password 0000 is not allowed: neither the current nor the new password may be all zeros.</translation>
    </message>
    <message>
        <source>Настройки системы</source>
        <translation>System settings</translation>
    </message>
    <message>
        <source>Расписания</source>
        <translation>Schedules</translation>
    </message>
    <message>
        <source>Телефонные номера</source>
        <translation>Telephone numbers</translation>
    </message>
    <message>
        <source>Датчики</source>
        <translation>Sensors</translation>
    </message>
    <message>
        <source>Длительность сирены, минут</source>
        <translation>Siren duration, minutes</translation>
    </message>
    <message>
        <source>Количество повторов набора</source>
        <translation>Redial attempts</translation>
    </message>
    <message>
        <source>Задержка постановки, секунд</source>
        <translation>Arming delay, seconds</translation>
    </message>
    <message>
        <source>Задержка тревоги, секунд</source>
        <translation>Alarm delay, seconds</translation>
    </message>
    <message>
        <source>Размер MMS изображения</source>
        <translation>MMS picture size</translation>
    </message>
    <message>
        <source>Режим связи</source>
        <translation>Network mode</translation>
    </message>
    <message>
        <source>Устройство</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>Вкл.</source>
        <translation>On</translation>
    </message>
    <message>
        <source>Выкл.</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Слабый</source>
        <translation>Weak</translation>
    </message>
    <message>
        <source>Средний</source>
        <translation>Fair</translation>
    </message>
    <message>
        <source>Хороший</source>
        <translation>Good</translation>
    </message>
    <message>
        <source>Отличный</source>
        <translation>Excellent</translation>
    </message>
    <message>
        <source>Не измерен</source>
        <translation>Not measured</translation>
    </message>
    <message>
        <source>Вне шкалы</source>
        <translation>Off the scale</translation>
    </message>
</context>
</TS>
