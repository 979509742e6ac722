// The structure-aware check: the input is read as a recipe of well-formed replies (each decoder's
// layout, any command and length, data bytes as the input gives them, 0xAA and 0x55 included) with
// runs of line noise between them. Every reply must come out of the recogniser whole and in order,
// and every decoder must hold its promises on it. Shared by the fuzzer and the seed replay test.
#pragma once

#include <string>
#include <vector>

#include "fuzz/ReplyChecks.h"

namespace veyra::fuzz {

class Recipe {
 public:
  Recipe(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Empty() const { return at_ >= size_; }
  std::uint8_t Next() { return at_ < size_ ? data_[at_++] : 0; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// A reply whose command and data length follow one decoder's layout, or any at all.
inline Bytes RecipeFrame(Recipe& recipe) {
  static constexpr struct {
    std::uint8_t command;
    std::size_t length;
  } kLayouts[] = {
      {alarm::kHistoryReadCommand, alarm::kHistoryRecordLength},
      {alarm::kTimedLookupCommand, alarm::kTimedRecordLength},
      {settings::kSetupReadCommand, settings::kSetupReplyLength},
      {settings::kPasswordCommand, 1},
      {sensors::kSensorFrameCommand, 7},
      {sensors::kRemoteFrameCommand, 4},
      {sensors::kDoorbellFrameCommand, 4},
      {sensors::kKeypadFrameCommand, 2},
  };
  const std::uint8_t kind = recipe.Next();
  std::uint8_t command = 0;
  std::size_t length = 0;
  if (kind % 10 < std::size(kLayouts)) {
    command = kLayouts[kind % 10].command;
    length = kLayouts[kind % 10].length;
  } else if (kind % 10 == 8) {  // a telephone number: slot and up to 32 packed bytes
    command = alarm::kPhoneReadCommand;
    length = 1 + recipe.Next() % (alarm::kPhoneMaxPackedBytes + 1);
  } else {
    command = recipe.Next();
    length = recipe.Next() % 251;
  }
  Bytes payload{static_cast<std::uint8_t>(length), command};
  for (std::size_t k = 0; k < length; ++k) payload.push_back(recipe.Next());
  return BuildFrame(payload);
}

// Whether the frame, arriving on its own, is delivered whole at its last byte and not before:
// a frame with a smaller frame inside it is read as that one, by either rule, and is left out.
inline bool StandsAlone(const Bytes& frame) {
  RxBuffer rx;
  for (std::size_t i = 0; i < frame.size(); ++i) {
    const RxBuffer::Result r = rx.Append(frame[i], true);
    if (r.delivered) return i + 1 == frame.size() && r.frame == frame;
  }
  return false;
}

inline std::string FrameRecipeViolation(const std::uint8_t* data, std::size_t size) {
  Recipe recipe(data, size);
  Bytes stream;
  std::vector<Bytes> sent;
  while (!recipe.Empty()) {
    const std::uint8_t noise = recipe.Next() % 8;
    for (std::uint8_t k = 0; k < noise; ++k) {
      // Noise never holds a start or an end byte: either could rightly join a frame.
      const std::uint8_t b = recipe.Next();
      stream.push_back(b == kFrameStart || b == kFrameEnd ? static_cast<std::uint8_t>(b ^ 0x01) : b);
    }
    Bytes frame = RecipeFrame(recipe);
    if (!StandsAlone(frame)) continue;
    stream.insert(stream.end(), frame.begin(), frame.end());
    sent.push_back(std::move(frame));
  }
  std::vector<Bytes> received;
  const ReplyCheck everyDecoder = [&received](const Bytes& frame) -> std::string {
    received.push_back(frame);
    for (const ReplyCheck& check :
         {ReplyCheck(HistoryViolation), ReplyCheck(TimedViolation), ReplyCheck(PhoneViolation),
          ReplyCheck(SetupViolation), ReplyCheck(PasswordViolation), ReplyCheck(DeviceViolation)}) {
      const std::string violation = check(frame);
      if (!violation.empty()) return violation;
    }
    return {};
  };
  const std::string violation = ReplyStreamViolation(stream.data(), stream.size(), everyDecoder);
  if (!violation.empty()) return violation;
  if (received != sent)
    return "sent " + std::to_string(sent.size()) + " replies, " + std::to_string(received.size()) +
           " came out";
  return {};
}

}  // namespace veyra::fuzz
