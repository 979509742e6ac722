// Every text the program can show must come out as letters, not as empty boxes: the serial layer's
// errors are Chinese, the windows Russian, a few messages English, and a desktop without a font
// for one of those scripts draws its texts as rows of boxes nobody can read.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QFont>
#include <QGlyphRun>
#include <QRawFont>
#include <QRegularExpression>
#include <QTextLayout>
#include <map>
#include <set>

namespace {

// Every string literal of the GUI program's sources and every translation of its catalogues, each
// with the file it stands in. The texts live in codec tables, message constants and the dialogs
// alike; taking them from the files means a text added later is checked without anyone listing it
// here.
std::multimap<char32_t, QString> ProgramCharacters(int& cyrillicTexts, int& chineseTexts) {
  // A character literal first, so that '"' does not open a string.
  static const QRegularExpression literal(R"re('(?:[^'\\\n]|\\.)+'|"((?:[^"\\\n]|\\.)*)")re");
  static const QRegularExpression escape(R"re(\\(x[0-9A-Fa-f]+|[0-7]{1,3}|.))re");
  static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
  static const QRegularExpression chinese(QStringLiteral("[\\x{4E00}-\\x{9FFF}]"));
  std::multimap<char32_t, QString> where;
  const QString root = QStringLiteral(VEYRA_SOURCE_DIR);
  const auto note = [&](const QString& text, const QString& path) {
    for (const char32_t c : text.toUcs4()) {
      if (!QChar::isPrint(c) || QChar::isSpace(c)) continue;
      if (where.count(c) == 0) where.emplace(c, path.mid(root.size() + 1) + ": \"" + text + '"');
    }
  };
  for (const char* folder : {"link", "session", "ui", "features", "app"}) {
    QDirIterator files(root + '/' + folder, {"*.cpp", "*.h"}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
      const QString path = files.next();
      QFile file(path);
      if (!file.open(QIODevice::ReadOnly)) continue;
      const QString source = QString::fromUtf8(file.readAll());
      for (auto match = literal.globalMatch(source); match.hasNext();) {
        QString text = match.next().captured(1);
        text.remove(escape);
        if (text.contains(cyrillic)) ++cyrillicTexts;
        if (text.contains(chinese)) ++chineseTexts;
        note(text, path);
      }
    }
  }
  static const QRegularExpression translation(QStringLiteral("<translation>([^<]*)</translation>"));
  QDirIterator catalogues(root + QStringLiteral("/translations"), {"*.ts"}, QDir::Files);
  while (catalogues.hasNext()) {
    const QString path = catalogues.next();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) continue;
    const QString catalogue = QString::fromUtf8(file.readAll());
    for (auto match = translation.globalMatch(catalogue); match.hasNext();)
      note(match.next().captured(1), path);
  }
  return where;
}

// Whether the font Qt picks for `font`, its fallbacks included, draws `c` with a glyph of its own
// (glyph 0 is every font's missing-glyph box); `family` names the font that drew it.
bool Drawn(char32_t c, const QFont& font, QString& family) {
  QTextLayout layout(QString::fromUcs4(&c, 1), font);
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  const QList<QGlyphRun> runs = layout.glyphRuns();
  for (const QGlyphRun& run : runs) {
#ifdef _WIN32  // Qt 6.4's Windows font engines leave the name empty, and familyName() reads past it
    family = font.family();
#else
    family = run.rawFont().familyName();
#endif
    if (run.glyphIndexes().contains(0)) return false;
  }
  return !runs.isEmpty();
}

TEST(GlyphCoverageTest, EveryTextOfTheProgramHasGlyphsInTheFontsQtPicks) {
  int cyrillicTexts = 0, chineseTexts = 0;
  const std::multimap<char32_t, QString> characters = ProgramCharacters(cyrillicTexts, chineseTexts);
  // A scan that found nothing would pass whatever the fonts.
  ASSERT_GT(cyrillicTexts, 0);
  ASSERT_GT(chineseTexts, 0);

  QFont bold = QApplication::font();
  bold.setBold(true);  // window captions
  const std::map<QString, QFont> fonts = {{"application", QApplication::font()},
                                          {"message box", QApplication::font("QMessageBox")},
                                          {"bold", bold}};
  for (const auto& [use, font] : fonts) {
    std::set<QString> drawnBy;
    QStringList missing;
    for (const auto& [c, text] : characters) {
      QString family;
      if (Drawn(c, font, family))
        drawnBy.insert(family);
      else
        missing << QStringLiteral("U+%1 in %2").arg(static_cast<unsigned>(c), 4, 16, QChar('0')).arg(text);
    }
    EXPECT_TRUE(missing.isEmpty()) << "the " << use.toStdString() << " font (" << font.family().toStdString()
                                   << " and its fallbacks) draws " << missing.size()
                                   << " characters as boxes:\n"
                                   << missing.join('\n').toStdString();
    const QStringList families(drawnBy.begin(), drawnBy.end());
    RecordProperty(use.toStdString() + " fonts", families.join(", ").toStdString());
  }
}

}  // namespace
