#include "ui/Translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>
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

}  // namespace

QStringList QtTranslationDirectories() {
  return {QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
          QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}

std::optional<Language> LanguageOfOption(std::string_view value) {
  if (value == "en") return Language::English;
  if (value == "ru") return Language::Russian;
  return std::nullopt;
}

Language LanguageOfLocale(const QLocale& locale) {
  switch (locale.language()) {
    case QLocale::English:
      return Language::English;
    case QLocale::Russian:
      return Language::Russian;
    default:
      return Language::Source;
  }
}

bool LoadLanguage(Language language) {
  for (const auto& translator : Loaded()) QCoreApplication::removeTranslator(translator.get());
  Loaded().clear();
  switch (language) {
    case Language::Source:
      return true;
    case Language::English:
      InitResources();
      return Install(QStringLiteral("veyra-setup_en"), {QStringLiteral(":/translations")});
    case Language::Russian:
      return Install(QStringLiteral("qtbase_ru"), QtTranslationDirectories());
  }
  return false;
}

}  // namespace veyra
