// The codecs speak UTF-8 std::string; the widgets speak QString. A codec's text that a person reads
// goes through TrText on its way into a widget or a box, so that it appears in the language of the
// loaded catalogue (ui/Translation.h), and as it is when none is loaded.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <string_view>

#include "link/Translatable.h"

inline QString ToQt(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

template <class Texts>
QStringList ToQtList(const Texts& texts) {
  QStringList list;
  for (const auto& text : texts) list << ToQt(std::string_view(text));
  return list;
}

// The loaded catalogues' translation of a whole codec text, or nothing.
inline std::optional<std::string> LookUpCodecText(std::string_view text) {
  const std::string source(text);
  const QString translated = QCoreApplication::translate(veyra::kTextContext, source.c_str());
  if (translated == QString::fromUtf8(source.c_str())) return std::nullopt;
  return translated.toStdString();
}

inline QString TrText(std::string_view text) { return ToQt(veyra::TranslateText(text, LookUpCodecText)); }

template <class Texts>
QStringList TrTextList(const Texts& texts) {
  QStringList list;
  for (const auto& text : texts) list << TrText(std::string_view(text));
  return list;
}

// A codec's text built around names of a list (a weekday in a date): each name translated in place.
template <class Names>
QString TrNamesIn(std::string_view text, const Names& names) {
  QString shown = ToQt(text);
  for (const auto& name : names) {
    const QString source = ToQt(std::string_view(name));
    if (!source.isEmpty()) shown.replace(source, TrText(std::string_view(name)));
  }
  return shown;
}
