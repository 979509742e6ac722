#include "link/Frame.h"

#include <cstdio>

namespace veyra {

std::uint8_t Checksum(const Bytes& payload) {
  unsigned long sum = 0;
  for (std::uint8_t b : payload) sum += b;
  return static_cast<std::uint8_t>(sum % 255);
}

Bytes BuildFrame(const Bytes& payload) {
  Bytes frame;
  frame.reserve(payload.size() + 3);
  frame.push_back(kFrameStart);
  frame.insert(frame.end(), payload.begin(), payload.end());
  frame.push_back(Checksum(payload));
  frame.push_back(kFrameEnd);
  return frame;
}

namespace {

int HighNibble(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The second digit of a pair is read upper-case only; other characters give what the
// arithmetic gives, kept to the low nibble so a stray character cannot spill into the high one.
int LowNibble(char c) {
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return (static_cast<unsigned char>(c) - '0') & 0x0F;
}

}  // namespace

void ParseHexText(std::string_view text, Bytes& out) {
  out.clear();
  const std::size_t length = text.size();
  std::size_t i = 0;
  while (i < length) {
    if (text[i] == ' ' || i == length - 1) {
      ++i;
      continue;
    }
    const int high = HighNibble(text[i]);
    if (high >= 0) out.push_back(static_cast<std::uint8_t>((high << 4) | LowNibble(text[i + 1])));
    i += 2;
  }
}

int HexTextToBytes(std::string_view text, Bytes& out, int length) {
  std::size_t n = length < 0 ? text.size() : static_cast<std::size_t>(length);
  if (n > text.size()) n = text.size();
  auto value = [](char c) {
    const int code = static_cast<unsigned char>(c);
    return code >= 'A' ? code - 0x37 : code - 0x30;
  };
  for (std::size_t k = 0; k < n / 2; ++k) {
    const int byte = (value(text[2 * k]) << 4) | value(text[2 * k + 1]);
    out.push_back(static_cast<std::uint8_t>(byte & 0xFF));
  }
  return 1;
}

std::string FormatHex(const Bytes& bytes) {
  std::string text;
  text.reserve(bytes.size() * 3);
  char pair[4];
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(pair, sizeof pair, "%02X", bytes[i]);
    if (i) text.push_back(' ');
    text += pair;
  }
  return text;
}

std::string CommandKey(std::uint8_t command) {
  char key[3];
  std::snprintf(key, sizeof key, "%02X", command);
  return key;
}

std::size_t FrameDataLength(const Bytes& frame) {
  if (frame.size() < kFrameOverhead) return 0;
  const std::size_t available = frame.size() - kFrameOverhead;
  const std::size_t announced = frame[kFrameLenOffset];
  return announced < available ? announced : available;
}

}  // namespace veyra
