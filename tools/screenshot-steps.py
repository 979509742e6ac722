#!/usr/bin/env python3
"""Writes the test script (app/TestScript.h) that walks veyra-setup through every window for the
pictures, in one language: search and log in, then in each tile's window each page, and each
button that talks to the host, a picture after every press. The texts are written as in the
program; for ru and en they are looked up in translations/veyra-setup_<lang>.ts, so a renamed
button needs no change here. tools/screenshots.sh and tools/screenshots-windows.sh both use it.

  screenshot-steps.py LANG PREFIX PORT_TEXT
    LANG       original, ru or en
    PREFIX     how each picture's path begins, as the program names it (Z:/... under Wine):
               a folder and a slash, perhaps a start of the file name
    PORT_TEXT  a text the main window shows once the port of the host is open (e.g. COM3)
"""
import pathlib
import sys
import xml.etree.ElementTree as ET

NO = "Нет"  # answers every question box: nothing is deleted, reset or formatted

# (tile, [(page tab or None, [(button, asks first)])]). Of buttons that share a text the first is
# pressed. Learning a sensor's code is left out: it waits for a sensor to send, not for the host.
WINDOWS = [
    ("Настройки системы", [
        ("Текущая конфигурация", [("Получить", False), ("Сохранить", False), ("Сбросить", True),
                                  ("Форматировать microSD карту", True)]),
        ("Изменение пароля", [("Отправить", False)]),
        ("Синхронизация часов", [("Синхронизировать", False)]),
    ]),
    ("Журнал тревог", [(None, [("Обновить", False), ("Удалить всё", True)])]),
    ("Установка режимов", [(None, [("Активировать систему", False), ("Деактивировать систему", False),
                                   ("Выборочный режим", False)])]),
    ("Расписания", [
        ("Расписание постановки/снятия", [("Проверить", False)]),
        ("Настройки времени постановки/снятия", [("Сохранить", False)]),
    ]),
    ("Настройки телефонных номеров", [(None, [("Проверить", False), ("Сохранить", False)])]),
    ("Настройки датчиков", [
        ("Список датчиков", [("Проверить", False)]),
        ("Настройка датчиков", [("Установить", False), ("Удалить датчик", True), ("Удалить все пульты", True),
                                ("Удалить все датчики", True), ("Удалить все звонки", True)]),
    ]),
    ("MMS Setting", [(None, [("SET", False), ("Send", False)])]),
    ("Умный дом", [(None, [("Установить ID", False), ("Послать код", False)])]),
]


def catalogue(lang):
    if lang == "original":
        return {}
    path = pathlib.Path(__file__).resolve().parent.parent / "translations" / f"veyra-setup_{lang}.ts"
    texts = {}
    for message in ET.parse(path).iter("message"):
        source, translation = message.findtext("source"), message.findtext("translation")
        if source and translation:
            texts.setdefault(source, translation)
    return texts


def main():
    if len(sys.argv) != 4 or sys.argv[1] not in ("original", "ru", "en"):
        sys.exit(__doc__)
    lang, out, port = sys.argv[1:]
    texts = catalogue(lang)

    def t(text):
        return texts.get(text, text)

    def name(text):  # a file name of ASCII alone, whatever the language
        return "".join(c for c in text.encode("ascii", "ignore").decode() if c.isalnum())

    # The status line names the port first.
    found = t("%1 Successful to find main host!").split("%1", 1)[1].lstrip(": ")
    lines = [f"shot {out}main-start.png", f"click {t('Поиск 3G-камеры')}", "type 1234",
             f"shot {out}login.png", f"click {t('OK')}", f"wait {port}",
             f"wait {found}", f"shot {out}main.png"]
    for w, (tile, pages) in enumerate(WINDOWS, 1):
        lines.append(f"click {t(tile)}")
        lines.append(f"shot {out}tile{w}.png")
        for p, (tab, buttons) in enumerate(pages, 1):
            if tab:
                lines.append(f"tab {t(tab)}")
                lines.append(f"shot {out}tile{w}-page{p}.png")
            for b, (button, asks) in enumerate(buttons, 1):
                shot = f"{out}tile{w}-page{p}-button{b}"
                lines.append(f"click {t(button)}")
                lines.append(f"shot {shot}.png")
                if asks:
                    lines.append(f"answer {t(NO)}")
                    lines.append(f"shot {shot}-no.png")
                lines.append(f"answer {t('OK')}")  # the box that answered, if one did
        lines.append("close")
    lines.append("close")
    print("\n".join(lines))


if __name__ == "__main__":
    main()
