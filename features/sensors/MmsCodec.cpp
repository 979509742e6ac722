#include "features/sensors/MmsCodec.h"

namespace veyra::sensors {

namespace {

constexpr char kQuote = '"';
constexpr char kComma = ',';
constexpr char32_t kNoCharacter = 0xFFFFFFFF;

// The code point starting at text[pos] and its length in bytes; kNoCharacter for a sequence that is
// not strict UTF-8 (overlong forms and surrogates included).
char32_t DecodeAt(std::string_view text, std::size_t pos, std::size_t& length) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  length = 1;
  if (lead < 0x80) return lead;
  char32_t code = 0;
  char32_t smallest = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    code = lead & 0x1F;
    smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    code = lead & 0x0F;
    smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    code = lead & 0x07;
    smallest = 0x10000;
  } else {
    return kNoCharacter;
  }
  if (pos + length > text.size()) return kNoCharacter;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) return kNoCharacter;
    code = code << 6 | (byte(pos + i) & 0x3F);
  }
  if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return kNoCharacter;
  return code;
}

// QChar::isSpace: ASCII 9 to 13, the Unicode separators (Zs, Zl, Zp) and U+0085.
bool IsSpace(char32_t c) {
  return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
         c == 0x3000;
}

// The text as the host's one-byte characters; none when a character has no such byte.
std::optional<std::string> Latin1(std::string_view utf8) {
  std::string bytes;
  for (std::size_t pos = 0; pos < utf8.size();) {
    std::size_t length = 0;
    const char32_t c = DecodeAt(utf8, pos, length);
    if (c > 0xFF) return std::nullopt;
    bytes.push_back(static_cast<char>(c));
    pos += length;
  }
  return bytes;
}

MmsRequest Refused(std::string_view text) {
  MmsRequest request;
  request.refusal = OwnedMessage(text);
  return request;
}

MmsRequest TextPayload(std::uint8_t command, std::string_view text) {
  if (text.size() > kMmsMaxDataLength) return Refused(kMmsTooLongText);
  MmsRequest request;
  Bytes payload(text.begin(), text.end());
  payload.insert(payload.begin(), {static_cast<std::uint8_t>(text.size()), command});
  request.payload = std::move(payload);
  return request;
}

// A field as it is sent: trimmed, one Latin-1 byte a character; none when a character has no
// such byte.
std::optional<std::string> Field(std::string_view typed) { return Latin1(TrimmedField(typed)); }

MmsRequest SingleTextPayload(std::uint8_t command, std::string_view typed) {
  const std::optional<std::string> text = Field(typed);
  if (!text) return Refused(kMmsInvalidCharacterText);
  return TextPayload(command, *text);
}

bool IsPhoneCharacter(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || c == '*' || c == 'G' || c == 'g' || c == '+';
}

}  // namespace

char WapFlag(WapVersion version) { return version == WapVersion::Wap12 ? '0' : '1'; }

std::string TrimmedField(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t length = 0;
    if (!IsSpace(DecodeAt(text, begin, length))) break;
    begin += length;
  }
  std::size_t end = text.size();
  while (end > begin) {
    // The last character starts at most three continuation bytes before the end.
    std::size_t start = end - 1;
    while (start > begin && end - start < 4 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80)
      --start;
    std::size_t length = 0;
    const char32_t c = DecodeAt(text, start, length);
    if (start + length != end || !IsSpace(c)) break;
    end = start;
  }
  return std::string(text.substr(begin, end - begin));
}

MmsRequest MmsApnPayload(std::string_view apn) { return SingleTextPayload(kMmsApnCommand, apn); }

MmsRequest MmsUrlPayload(std::string_view url) { return SingleTextPayload(kMmsUrlCommand, url); }

MmsRequest MmsUserPayload(std::string_view user, std::string_view password) {
  const std::optional<std::string> pass = Field(password), name = Field(user);
  if (!pass || !name) return Refused(kMmsInvalidCharacterText);
  if (pass->empty() && name->empty()) return TextPayload(kMmsUserCommand, {});
  const std::string quoted = std::string{kQuote} + *pass + kQuote + kComma + kQuote + *name + kQuote;
  return TextPayload(kMmsUserCommand, quoted);
}

MmsRequest MmsGatewayPayload(std::string_view ip, std::string_view port, WapVersion version) {
  const std::optional<std::string> address = Field(ip), number = Field(port);
  if (!address || !number) return Refused(kMmsInvalidCharacterText);
  const std::string gateway =
      std::string{WapFlag(version), kComma, kQuote} + *address + kQuote + kComma + *number;
  return TextPayload(kMmsGatewayCommand, gateway);
}

std::optional<std::string> PaddedTestPhone(std::string_view phone) {
  std::string text = TrimmedField(phone);
  for (char& c : text) {
    if (!IsPhoneCharacter(c)) return std::nullopt;
    if (c == '*' || c == 'G' || c == 'g' || c == '+') c = 'B';
  }
  text += text.size() % 2 ? "F" : "FF";
  return text;
}

MmsRequest MmsTestPayload(std::string_view phone) {
  const std::optional<std::string> padded = PaddedTestPhone(phone);
  if (!padded) return Refused(kMmsInvalidCharacterText);
  const std::size_t length = padded->size() / 2;
  if (length > kMmsMaxDataLength) return Refused(kMmsTooLongText);
  MmsRequest request;
  Bytes payload{static_cast<std::uint8_t>(length), kMmsTestCommand};
  HexTextToBytes(*padded, payload);
  request.payload = std::move(payload);
  return request;
}

std::optional<Message> MmsReplyMessage(const Bytes& sentFrame, const Bytes&) {
  if (sentFrame.size() <= kFrameCmdOffset) return std::nullopt;
  switch (sentFrame[kFrameCmdOffset]) {
    case kMmsApnCommand:
    case kMmsUserCommand:
    case kMmsUrlCommand:
    case kMmsGatewayCommand:
      return OwnedMessage(kMmsSentText);
    default:
      return std::nullopt;
  }
}

std::optional<std::string_view> MmsReplyStatus(const Bytes& sentFrame, const Bytes& receivedFrame,
                                               const AckCheck& checkAck) {
  if (sentFrame.size() <= kFrameCmdOffset || sentFrame[kFrameCmdOffset] != kMmsTestCommand)
    return std::nullopt;
  const bool accepted = checkAck && checkAck(CommandKey(kMmsTestCommand), receivedFrame) == 1;
  return accepted ? kMmsTestAcceptedStatusText : kMmsNotConfirmedStatusText;
}

}  // namespace veyra::sensors
