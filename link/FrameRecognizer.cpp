#include "link/FrameRecognizer.h"

namespace veyra {
namespace {

bool Passes(const Bytes& b, std::size_t s, std::size_t e) {
  return e >= s + 4 && b[s] == kFrameStart && (e - s) - b[s + 1] == 4;
}

}  // namespace

std::vector<FrameSpan> RecognizeFrames(const Bytes& buffer, bool stopAtFirst) {
  std::vector<FrameSpan> found;
  const std::size_t n = buffer.size();
  if (n < kFrameOverhead) return found;
  std::size_t s = 0;
  for (std::size_t i = 0; i + 1 < n; ++i) {
    if (buffer[i] == kFrameStart) s = i;
    if (buffer[i] == kFrameEnd && Passes(buffer, s, i)) {
      found.push_back({s, i});
      if (stopAtFirst) return found;
    }
  }
  if (Passes(buffer, s, n - 1)) found.push_back({s, n - 1});
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
