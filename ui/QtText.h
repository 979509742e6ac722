// The codecs speak UTF-8 std::string; the widgets speak QString.
#pragma once

#include <QString>
#include <QStringList>
#include <string_view>

inline QString ToQt(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

template <class Texts>
QStringList ToQtList(const Texts& texts) {
  QStringList list;
  for (const auto& text : texts) list << ToQt(std::string_view(text));
  return list;
}
