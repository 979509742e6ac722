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
    const char* fault;
    const char* text;
    bool foreignToRussian;
    bool foreignToEnglish;
  } rows[] = {
      {"an English message passes as Russian", "Setting Successful!", true, false},
      {"a Chinese message passes as Russian or English", "打开串口出错！", true, true},
      {"a Chinese caption passes", "错误", true, true},
      {"a Russian message passes as English", "Неверный пароль!", false, true},
      {"Latin letters in a Russian message refuse a brand name", "О программе Veyra Setup(&A)...", false,
       true},
      {"the network names Russian writes in Latin refused", "SMS MMS APN IP URL WAP2.0", false, false},
      {"a port name with its number marker refused", "COM%1", false, false},
      {"ID and PIR refused", "ID: PIR", false, false},
      {"a lone format marker or number refused", "%1 15", false, false},
      {"one word beside the allowed ones missed", "SMS Number", true, false},
      {"guillemets taken for a foreign letter in English", "«-» cannot be stored in a number", true, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    const QString text = QString::fromUtf8(row.text);
    EXPECT_EQ(ForeignToRussian(text), row.foreignToRussian);
    EXPECT_EQ(ForeignToEnglish(text), row.foreignToEnglish);
  }
}

TEST(CatalogueLanguageTest, EachCatalogueHoldsItsLanguageOnly) {
  const struct {
    const char* fault;
    const char* file;
    bool (*foreign)(const QString&);
  } rows[] = {
      {"an English, Chinese or Latin-only text left in the Russian catalogue", "veyra-setup_ru.ts",
       &ForeignToRussian},
      {"a Russian or Chinese text left in the English catalogue", "veyra-setup_en.ts", &ForeignToEnglish},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
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
