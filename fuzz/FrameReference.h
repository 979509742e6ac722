// A literal, unoptimised transcription of the frame recognition rules, kept apart from the
// production recogniser so the fuzzer can hold one against the other.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace veyra::fuzzref {

struct ReferencePort {
  std::vector<std::uint8_t> rx;
  bool owner = false;
  int signals = 0;
  std::vector<std::vector<std::uint8_t>> delivered;

  bool Test(std::size_t s, std::size_t e) const {
    if (!(e >= s && e - s >= 4)) return false;
    if (rx[s] != 0xAA) return false;
    return static_cast<int>(e - s) - static_cast<int>(rx[s + 1]) == 4;
  }

  // Returns true when the delivery emptied the buffer.
  bool Deliver(std::size_t s, std::size_t e) {
    ++signals;
    if (!owner) return false;
    delivered.emplace_back(rx.begin() + static_cast<std::ptrdiff_t>(s),
                           rx.begin() + static_cast<std::ptrdiff_t>(e) + 1);
    rx.clear();
    return true;
  }

  void Parse() {
    const std::size_t n = rx.size();
    if (n < 5) return;
    std::size_t s = 0;
    for (std::size_t i = 0; i <= n - 2; ++i) {
      if (rx[i] == 0xAA) s = i;
      if (rx[i] == 0x55 && Test(s, i)) {
        if (Deliver(s, i)) return;
      }
    }
    if (Test(s, n - 1)) Deliver(s, n - 1);
  }

  // One-byte reads: append, then the recogniser runs if the byte is 0x55. The buffer bound
  // (oldest dropped past 4096, last 255 kept) applies before the scan.
  void Append(std::uint8_t byte) {
    rx.push_back(byte);
    if (rx.size() > 4096) rx.erase(rx.begin(), rx.end() - 255);
    if (byte == 0x55) Parse();
  }
};

}  // namespace veyra::fuzzref
