#include "ui/Translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <algorithm>
#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "ui/Resources.h"

namespace veyra {

namespace {

std::vector<std::unique_ptr<QTranslator>>& Loaded() {
  static std::vector<std::unique_ptr<QTranslator>> loaded;
  return loaded;
}

bool Install(const QString& name, const QStringList& directories) {
  auto translator = std::make_unique<QTranslator>();
  bool loaded = false;
  for (const QString& directory : directories)
    if ((loaded = translator->load(name, directory))) break;
  if (!loaded) return false;
  QCoreApplication::installTranslator(translator.get());
  Loaded().push_back(std::move(translator));
  return true;
}

bool InstallOurs(const char* name) {
  InitResources();
  return Install(QString::fromLatin1(name), {QStringLiteral(":/translations")});
}

bool InstallQtRussian() { return Install(QStringLiteral("qtbase_ru"), QtTranslationDirectories()); }

// Qt is written in English: its catalogue only mends plurals ("1 file(s)"), so one not found costs
// nothing (a Windows copy carries none).
void InstallQtEnglish() { Install(QStringLiteral("qtbase_en"), QtTranslationDirectories()); }

}  // namespace

QStringList QtTranslationDirectories() {
  return {QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
          QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}

std::optional<Language> LanguageOfOption(std::string_view value) {
  std::string lower(value);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (lower == "original" || lower == "source") return Language::Original;
  if (lower == "en" || lower == "english") return Language::English;
  if (lower == "ru" || lower == "russian") return Language::Russian;
  return std::nullopt;
}

Language LanguageOfLocale(const QLocale& locale) {
  switch (locale.language()) {
    case QLocale::English:
      return Language::English;
    case QLocale::Russian:
      return Language::Russian;
    default:
      return Language::Original;
  }
}

bool LoadLanguage(Language language) {
  for (const auto& translator : Loaded()) QCoreApplication::removeTranslator(translator.get());
  Loaded().clear();
  switch (language) {
    case Language::Original:
      // The windows as written are Russian, only a few messages are not: Qt's buttons and file
      // dialogs beside them are Russian too, whatever the locale (under C they would be English).
      return InstallQtRussian();
    case Language::English:
      InstallQtEnglish();
      return InstallOurs("veyra-setup_en");
    case Language::Russian: {
      const bool ours = InstallOurs("veyra-setup_ru");
      return InstallQtRussian() && ours;
    }
  }
  return false;
}

}  // namespace veyra
