// Texts a person reads are written in the language of the host's own documents and marked where
// they are written, so that Qt's lupdate collects them into the catalogue (translations/). The
// codecs stay free of Qt: the mark is Qt's own no-op macro, defined here the same way when Qt's
// headers are not included. A marked text is never changed here; it is translated only where it
// reaches a person (ui/QtText.h in the GUI, veyractl --lang), so what goes to the host and what
// veyractl prints by default stay as they are.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace veyra {

// The catalogue context of every marked text outside the windows' own classes.
inline constexpr const char* kTextContext = "veyra";

// The texts built around one value, written where "%1" stands. A translation takes only whole
// texts; a shown text that is none is matched against these, and the value is carried over.
inline constexpr std::string_view kOpenFailedPattern = QT_TRANSLATE_NOOP("veyra", "打开 %1 失败");
inline constexpr std::string_view kHostNotFoundOnPattern =
    QT_TRANSLATE_NOOP("veyra", "%1 3G-камера не найдена!");
inline constexpr std::string_view kHostFoundOnPattern =
    QT_TRANSLATE_NOOP("veyra", "%1 Successful to find main host!");
inline constexpr std::string_view kPhoneSlotFailurePattern =
    QT_TRANSLATE_NOOP("veyra", "Сбой при сохранения телефонных номеров %1!");
// Why a telephone number is refused: the first character the host cannot store, and the longest
// number it can.
inline constexpr std::string_view kPhoneCharacterPattern =
    QT_TRANSLATE_NOOP("veyra", "Знак %1 нельзя сохранить в номере: допустимы только цифры, * и G.");
inline constexpr std::string_view kPhoneLengthPattern =
    QT_TRANSLATE_NOOP("veyra", "Номер слишком длинный: не больше %1 знаков.");
inline constexpr std::array<std::string_view, 6> kComposedPatterns = {
    kOpenFailedPattern,       kHostNotFoundOnPattern, kHostFoundOnPattern,
    kPhoneSlotFailurePattern, kPhoneCharacterPattern, kPhoneLengthPattern};

// The pattern with its "%1" replaced by value.
std::string FillIn(std::string_view pattern, std::string_view value);

// A catalogue: the translation of a whole text, or nothing when it holds none.
using TextLookup = std::function<std::optional<std::string>(std::string_view text)>;

// The text in the catalogue's language: the whole text's translation, else the translated pattern
// it was built from with its value carried over, else the text itself.
std::string TranslateText(std::string_view text, const TextLookup& lookup);

}  // namespace veyra
