// Literal, unoptimised transcriptions of the frame recognition rules, kept apart from the
// production recogniser so the fuzzer can hold one against the other: the mended rule, which
// the recogniser must follow on every input, and the original rule, which it must still follow
// wherever no 0xAA lies inside a frame's reach of another.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace veyra::fuzzref {

enum class Rule {
  LatestStart,      // the most recent 0xAA before a 0x55 is the start
  LatestOrChecked,  // and when it fails, the nearest earlier 0xAA with LEN and checksum right
};

struct ReferencePort {
  explicit ReferencePort(Rule r = Rule::LatestOrChecked) : rule(r) {}

  Rule rule;
  std::vector<std::uint8_t> rx;
  bool owner = false;
  int signals = 0;
  int lookBacks = 0;  // frames only the mended rule finds
  std::vector<std::vector<std::uint8_t>> delivered;

  bool Test(std::size_t s, std::size_t e) const {
    if (!(e >= s && e - s >= 4)) return false;
    if (rx[s] != 0xAA) return false;
    return static_cast<int>(e - s) - static_cast<int>(rx[s + 1]) == 4;
  }

  bool ChecksumRight(std::size_t s, std::size_t e) const {
    int sum = 0;
    for (std::size_t k = s + 1; k <= e - 2; ++k) sum += rx[k];
    return sum % 255 == rx[e - 1];
  }

  // starts: every 0xAA the scan has passed, in order, the latest (s) last. A LEN byte reaches at
  // most 255 + 4 bytes, so nothing further back can pass.
  bool LookBack(const std::vector<std::size_t>& starts, std::size_t e, std::size_t& start) const {
    if (rule != Rule::LatestOrChecked || rx[e] != 0x55 || starts.size() < 2) return false;
    for (std::size_t k = starts.size() - 1; k-- > 0 && e - starts[k] <= 259;) {
      const std::size_t t = starts[k];
      if (Test(t, e) && ChecksumRight(t, e)) {
        start = t;
        return true;
      }
    }
    return false;
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

  // Returns true when the delivery emptied the buffer.
  bool TestAndDeliver(std::size_t s, const std::vector<std::size_t>& starts, std::size_t e) {
    if (Test(s, e)) return Deliver(s, e);
    std::size_t t = 0;
    if (!LookBack(starts, e, t)) return false;
    ++lookBacks;
    return Deliver(t, e);
  }

  void Parse() {
    const std::size_t n = rx.size();
    if (n < 5) return;
    std::size_t s = 0;
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i <= n - 2; ++i) {
      if (rx[i] == 0xAA) {
        s = i;
        starts.push_back(i);
      }
      if (rx[i] == 0x55 && TestAndDeliver(s, starts, i)) return;
    }
    TestAndDeliver(s, starts, n - 1);
  }

  // One-byte reads: append, then the recogniser runs if the byte is 0x55. The buffer bound
  // (oldest dropped past 4096, last 255 kept) applies before the scan.
  void Append(std::uint8_t byte) {
    rx.push_back(byte);
    if (rx.size() > 4096) rx.erase(rx.begin(), rx.end() - 255);
    if (byte == 0x55) Parse();
  }
};

// Whether some 0xAA lies within a frame's reach (259 bytes) after another: only then can the two
// rules differ.
inline bool HasInnerStart(const std::uint8_t* data, std::size_t size) {
  std::size_t last = 0;
  bool seen = false;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] != 0xAA) continue;
    if (seen && i - last <= 259) return true;
    last = i;
    seen = true;
  }
  return false;
}

}  // namespace veyra::fuzzref
