// What the receive buffer promises on any byte stream, checked against the literal transcriptions
// of the recognition rules. Shared by the frame fuzzer and the unit test that replays its seeds.
#pragma once

#include <string>

#include "fuzz/FrameReference.h"
#include "link/FrameRecognizer.h"

namespace veyra::fuzz {

// data[0] toggles the owner at chosen points (bit k set: byte k has no owner); the rest is the
// stream, appended one byte at a time. "" when every step agrees, else the first disagreement.
inline std::string FrameStreamViolation(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return {};
  const std::uint8_t ownerMask = data[0];
  RxBuffer rx;
  fuzzref::ReferencePort mended(fuzzref::Rule::LatestOrChecked);
  fuzzref::ReferencePort original(fuzzref::Rule::LatestStart);
  int signals = 0;
  std::vector<Bytes> delivered;
  // Whole buffers are compared only where a scan ran (and at the end), deliveries as they come:
  // comparing everything at every byte would make long inputs quadratic and the fuzzer slow.
  auto same = [](const fuzzref::ReferencePort& a, const fuzzref::ReferencePort& b, bool scanned) {
    return a.signals == b.signals && a.delivered.size() == b.delivered.size() &&
           (a.delivered.empty() || a.delivered.back() == b.delivered.back()) && a.rx.size() == b.rx.size() &&
           (!scanned || a.rx == b.rx);
  };
  for (std::size_t i = 1; i < size; ++i) {
    const bool owner = !(ownerMask & (1u << (i % 8)));
    mended.owner = owner;
    original.owner = owner;
    mended.Append(data[i]);
    original.Append(data[i]);
    const RxBuffer::Result r = rx.Append(data[i], owner);
    signals += static_cast<int>(r.signalled);
    if (r.delivered) delivered.push_back(r.frame);
    const bool scanned = data[i] == kFrameEnd || i + 1 == size;
    auto at = [i] { return " at byte " + std::to_string(i); };
    if (signals != mended.signals) return "signals differ from the mended rule" + at();
    if (delivered.size() != mended.delivered.size() || (r.delivered && r.frame != mended.delivered.back()))
      return "deliveries differ from the mended rule" + at();
    if (rx.Size() != mended.rx.size() || (scanned && rx.Bytes_() != mended.rx))
      return "buffer differs from the mended rule" + at();
    // Until the mended rule first takes an earlier start, the original rule must give the same
    // signals, deliveries and buffer: the mend only adds frames.
    if (mended.lookBacks == 0 && !same(mended, original, scanned))
      return "the original rule differs from the mended one before any look-back" + at();
  }
  if (mended.lookBacks > 0 && !fuzzref::HasInnerStart(data + 1, size - 1))
    return "a look-back without a 0xAA inside another's reach";
  return {};
}

}  // namespace veyra::fuzz
