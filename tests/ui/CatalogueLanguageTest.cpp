// Each catalogue puts every text into its own language: no message of the sources' other
// languages may pass through the Russian or the English one as it was written.
#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <QXmlStreamReader>
#include <utility>
#include <vector>

#include "tests/common/LanguageOfText.h"

namespace veyra {
namespace {

using test::ForeignToEnglish;
using test::ForeignToRussian;

// Every source text of the catalogue with its translation.
std::vector<std::pair<QString, QString>> Messages(const QString& name) {
  QFile file(QStringLiteral(VEYRA_SOURCE_DIR "/translations/") + name);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
  std::vector<std::pair<QString, QString>> messages;
  QXmlStreamReader xml(&file);
  QString source;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == QLatin1String("source")) source = xml.readElementText();
    if (xml.name() == QLatin1String("translation")) messages.emplace_back(source, xml.readElementText());
  }
  EXPECT_FALSE(xml.hasError()) << name.toStdString() << ": " << xml.errorString().toStdString();
  return messages;
}

TEST(CatalogueLanguageTest, TheRuleTellsAMessageOfAnotherLanguage) {
  const struct {
    const char* expect;
    const char* text;
    bool foreignToRussian;
    bool foreignToEnglish;
  } rows[] = {
      {"an English message is foreign to Russian", "Setting Successful!", true, false},
      {"a Chinese message is foreign to Russian and English", "打开串口出错！", true, true},
      {"a Chinese caption is foreign to both", "错误", true, true},
      {"a Russian message is foreign to English", "Неверный пароль!", false, true},
      {"a brand name in Latin letters passes in a Russian message", "О программе Veyra Setup(&A)...", false,
       true},
      {"the network names Russian writes in Latin pass", "SMS MMS APN IP URL WAP2.0", false, false},
      {"a port name with its number marker passes", "COM%1", false, false},
      {"ID and PIR pass", "ID: PIR", false, false},
      {"a lone format marker or number passes", "%1 15", false, false},
      {"one word beside the allowed ones is foreign to Russian", "SMS Number", true, false},
      {"guillemets pass in English", "«-» cannot be stored in a number", true, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const QString text = QString::fromUtf8(row.text);
    EXPECT_EQ(ForeignToRussian(text), row.foreignToRussian);
    EXPECT_EQ(ForeignToEnglish(text), row.foreignToEnglish);
  }
}

TEST(CatalogueLanguageTest, EachCatalogueHoldsItsLanguageOnly) {
  const struct {
    const char* expect;
    const char* file;
    bool (*foreign)(const QString&);
  } rows[] = {
      {"the Russian catalogue holds no English, Chinese or Latin-only text", "veyra-setup_ru.ts",
       &ForeignToRussian},
      {"the English catalogue holds no Russian or Chinese text", "veyra-setup_en.ts", &ForeignToEnglish},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const auto messages = Messages(QString::fromLatin1(row.file));
    EXPECT_GT(messages.size(), 300u) << "a catalogue read short passes whatever it holds";
    QStringList foreign;
    for (const auto& [source, translation] : messages)
      if (row.foreign(translation)) foreign << source + QStringLiteral(" -> ") + translation;
    EXPECT_TRUE(foreign.isEmpty()) << foreign.join(QLatin1Char('\n')).toStdString();
  }
}

}  // namespace
}  // namespace veyra
