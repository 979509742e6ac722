#include "link/FrameRecognizer.h"

#include <array>
#include <cstdint>
#include <limits>

namespace veyra {
namespace {

constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
// A LEN byte places the end at most 255 + 4 bytes after its start, so no earlier start further
// back can close at a given end, and a ring of this many slots never overwrites one that can.
constexpr std::size_t kReach = 255 + 4;
constexpr std::size_t kRing = kReach + 1;

bool Passes(const Bytes& b, std::size_t s, std::size_t e) {
  return e >= s + 4 && b[s] == kFrameStart && (e - s) - b[s + 1] == 4;
}

// The 0xAA bytes the scan has passed, filed under the end their LEN byte announces: a 0x55 then
// finds the starts that could close at it without walking back over the bytes. Each start
// announces one end, so every start is looked at by one 0x55 at most and the scan stays linear
// in the buffer however much line noise it holds.
class EarlierStarts {
 public:
  // Only the heads need clearing: a start is reached only through a head that names it.
  EarlierStarts() { heads_.fill({kNone, kNone}); }

  // Files the 0xAA at t; sumBefore is the sum of every byte before it.
  void Add(const Bytes& b, std::size_t t, std::uint64_t sumBefore) {
    if (t + 1 >= b.size()) return;
    const std::size_t end = t + 4 + b[t + 1];
    Head& head = heads_[end % kRing];
    starts_[t % kRing] = {static_cast<std::uint8_t>((sumBefore + b[t]) % 255),
                          head.end == end ? head.start : kNone};
    head = {end, t};
  }

  // The nearest filed start whose LEN byte announces e and whose checksum is right, or kNone;
  // sumBefore is the sum of every byte before e. The most recent start, when it announces e,
  // heads the list and is looked at first. The checksum guard keeps stray bytes that happen to
  // line up from being taken for a frame.
  std::size_t Find(const Bytes& b, std::size_t e, std::uint64_t sumBefore) const {
    if (b[e] != kFrameEnd) return kNone;
    const Head& head = heads_[e % kRing];
    if (head.end != e) return kNone;  // so e is at least 4 past a start
    const auto sumBeforeChecksum = static_cast<unsigned>((sumBefore - b[e - 1]) % 255);
    for (std::size_t t = head.start; t != kNone;) {
      const Start& start = starts_[t % kRing];
      if ((sumBeforeChecksum + 255 - start.sumThroughStart) % 255 == b[e - 1]) return t;
      t = start.previous;
    }
    return kNone;
  }

 private:
  struct Head {
    std::size_t end;
    std::size_t start;  // the latest start announcing that end
  };
  struct Start {
    std::uint8_t sumThroughStart;  // every byte up to and including the 0xAA, modulo 255
    std::size_t previous;          // the start before it announcing the same end
  };
  std::array<Head, kRing> heads_;
  std::array<Start, kRing> starts_;
};

}  // namespace

std::vector<FrameSpan> RecognizeFrames(const Bytes& buffer, bool stopAtFirst) {
  std::vector<FrameSpan> found;
  const std::size_t n = buffer.size();
  if (n < kFrameOverhead) return found;
  EarlierStarts earlier;
  std::uint64_t sum = 0;  // of the bytes before i
  // The nearest start with its length and checksum right, else the latest on its length alone.
  // Something is found at exactly the 0x55s where the latest start alone would find it (a latest
  // start that passes, or an earlier one with both right), so when a frame is delivered and
  // signalled never depends on its checksum; only a latest start with a wrong checksum gives way,
  // and only to an earlier one with a right checksum.
  auto startFor = [&](std::size_t s, std::size_t e) {
    const std::size_t checked = earlier.Find(buffer, e, sum);
    if (checked != kNone) return checked;
    return Passes(buffer, s, e) ? s : kNone;
  };
  std::size_t s = 0;
  for (std::size_t i = 0; i + 1 < n; ++i) {
    if (buffer[i] == kFrameStart) {
      s = i;
      earlier.Add(buffer, i, sum);
    }
    if (buffer[i] == kFrameEnd) {
      const std::size_t start = startFor(s, i);
      if (start != kNone) {
        found.push_back({start, i});
        if (stopAtFirst) return found;
      }
    }
    sum += buffer[i];
  }
  const std::size_t start = startFor(s, n - 1);
  if (start != kNone) found.push_back({start, n - 1});
  return found;
}

RxBuffer::Result RxBuffer::Append(std::uint8_t byte, bool hasOwner) {
  Result result;
  bytes_.push_back(byte);
  if (bytes_.size() > kBound) bytes_.erase(bytes_.begin(), bytes_.end() - kKeep);
  if (byte != kFrameEnd) return result;
  const std::vector<FrameSpan> spans = RecognizeFrames(bytes_, hasOwner);
  result.signalled = spans.size();
  if (hasOwner && !spans.empty()) {
    result.delivered = true;
    result.frame.assign(bytes_.begin() + static_cast<std::ptrdiff_t>(spans[0].start),
                        bytes_.begin() + static_cast<std::ptrdiff_t>(spans[0].end) + 1);
    bytes_.clear();
  }
  return result;
}

}  // namespace veyra
