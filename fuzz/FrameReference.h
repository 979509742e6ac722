// Literal, unoptimised transcriptions of the frame recognition rules, kept apart from the
// production recogniser so the fuzzer can hold one against the other: the current rule, which
// the recogniser must follow on every input; the rule before it, every frame of which with a
// right checksum the current rule must still take at the same 0x55; and the original rule, which
// both must still follow wherever no 0xAA lies inside a frame's reach of another.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace veyra::fuzzref {

enum class Rule {
  LatestStart,      // the most recent 0xAA before a 0x55 is the start, on its length alone
  LatestOrChecked,  // and when it fails, the nearest earlier 0xAA with LEN and checksum right
  CheckedFirst,     // the nearest 0xAA with LEN and checksum right, the most recent included;
                    // when there is none, the most recent on its length alone
};

// A candidate the latest scan signalled (and, with an owner, delivered).
struct Taken {
  std::size_t start;
  std::size_t end;
  bool checksumRight;
  bool operator==(const Taken&) const = default;
};

struct ReferencePort {
  explicit ReferencePort(Rule r = Rule::CheckedFirst) : rule(r) {}

  Rule rule;
  std::vector<std::uint8_t> rx;
  bool owner = false;
  int signals = 0;
  int lookBacks = 0;  // frames taken from a start other than the most recent 0xAA
  std::vector<std::vector<std::uint8_t>> delivered;
  std::vector<Taken> scan;  // what the latest scan signalled, in order; positions in rx then

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

  // starts: every 0xAA the scan has passed, in order, the latest (s) last. The nearest one,
  // from the latest (withLatest) or the one before it, that passes the length test with a right
  // checksum. A LEN byte reaches at most 255 + 4 bytes, so nothing further back can pass.
  bool Checked(const std::vector<std::size_t>& starts, std::size_t e, bool withLatest,
               std::size_t& start) const {
    if (rx[e] != 0x55 || starts.empty()) return false;
    for (std::size_t k = starts.size() - (withLatest ? 0 : 1); k-- > 0 && e - starts[k] <= 259;) {
      const std::size_t t = starts[k];
      if (Test(t, e) && ChecksumRight(t, e)) {
        start = t;
        return true;
      }
    }
    return false;
  }

  // The start the rule takes for a 0x55 at e, or false.
  bool Choose(std::size_t s, const std::vector<std::size_t>& starts, std::size_t e,
              std::size_t& start) const {
    switch (rule) {
      case Rule::LatestStart:
        start = s;
        return Test(s, e);
      case Rule::LatestOrChecked:
        start = s;
        return Test(s, e) || Checked(starts, e, false, start);
      case Rule::CheckedFirst:
        if (Checked(starts, e, true, start)) return true;
        start = s;
        return Test(s, e);
    }
    return false;
  }

  // Returns true when the delivery emptied the buffer.
  bool Deliver(std::size_t s, std::size_t e) {
    ++signals;
    scan.push_back({s, e, ChecksumRight(s, e)});
    if (!owner) return false;
    delivered.emplace_back(rx.begin() + static_cast<std::ptrdiff_t>(s),
                           rx.begin() + static_cast<std::ptrdiff_t>(e) + 1);
    rx.clear();
    return true;
  }

  // Returns true when the delivery emptied the buffer.
  bool TestAndDeliver(std::size_t s, const std::vector<std::size_t>& starts, std::size_t e) {
    std::size_t t = 0;
    if (!Choose(s, starts, e, t)) return false;
    if (t != s) ++lookBacks;
    return Deliver(t, e);
  }

  void Parse() {
    scan.clear();
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

// Whether some 0xAA lies within a frame's reach (259 bytes) after another: only then can the
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
