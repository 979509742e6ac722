// Whether a text a person reads is in the language the program was asked for. Shared by the
// catalogues' check and the windows' check, so both hold a text to the same rule.
#pragma once

#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace veyra::test {

// Words a Russian text writes in Latin letters as they stand: the names of networks, ports and
// sensor kinds that Russian manuals do not translate either.
inline const QStringList& LatinWordsOfRussian() {
  static const QStringList words = {"SMS", "MMS", "ID", "COM", "APN", "IP", "URL", "WAP", "PIR"};
  return words;
}

inline bool HasCyrillic(const QString& text) {
  static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{052F}]"));
  return text.contains(cyrillic);
}

inline bool HasChinese(const QString& text) {
  static const QRegularExpression chinese(QStringLiteral("[\\x{3000}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
  return text.contains(chinese);
}

// A Russian text may not be Chinese, nor Latin alone beyond the words above, numbers, punctuation
// and format markers (%1): such a text is a message left in another language.
inline bool ForeignToRussian(const QString& text) {
  if (HasChinese(text)) return true;
  if (HasCyrillic(text)) return false;
  static const QRegularExpression marker(QStringLiteral("%\\d+|%n"));
  static const QRegularExpression word(QStringLiteral("[A-Za-z]+"));
  QString rest = text;
  rest.remove(marker);
  rest.remove(QStringLiteral("Veyra Setup"));  // the program's name, in Latin letters everywhere
  rest.remove(QStringLiteral("Veyra"));
  for (auto match = word.globalMatch(rest); match.hasNext();)
    if (!LatinWordsOfRussian().contains(match.next().captured())) return true;
  return false;
}

// An English text may carry no Cyrillic or Chinese letter.
inline bool ForeignToEnglish(const QString& text) { return HasCyrillic(text) || HasChinese(text); }

}  // namespace veyra::test
