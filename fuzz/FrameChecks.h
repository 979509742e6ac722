// What the receive buffer promises on any byte stream, checked against the literal transcriptions
// of the recognition rules. Shared by the frame fuzzer and the unit test that replays its seeds.
#pragma once

#include <string>

#include "fuzz/FrameReference.h"
#include "link/FrameRecognizer.h"

namespace veyra::fuzz {

// Where the rule before the current one and the current one may part: at the same 0x55s they
// signal, deliver and keep the same, and a frame the earlier rule took with a right checksum is
// the frame the current one takes. Only a frame the earlier rule took with a wrong checksum may
// give way, and only to one with a right checksum closing at the same 0x55. "" when so.
inline std::string PreviousRuleViolation(const fuzzref::ReferencePort& current,
                                         const fuzzref::ReferencePort& previous, bool scanned) {
  if (current.signals != previous.signals) return "signals differ";
  if (current.delivered.size() != previous.delivered.size()) return "deliveries come at other moments";
  if (current.rx.size() != previous.rx.size() || (scanned && current.rx != previous.rx))
    return "buffers differ";
  if (!scanned) return {};
  if (current.scan.size() != previous.scan.size()) return "the scans signal different numbers of frames";
  for (std::size_t k = 0; k < current.scan.size(); ++k) {
    const fuzzref::Taken& now = current.scan[k];
    const fuzzref::Taken& before = previous.scan[k];
    if (now.end != before.end) return "a frame closes at another 0x55";
    if (before.checksumRight && now != before) return "a frame with a right checksum given up";
    if (now != before && !now.checksumRight) return "a frame given up for one with a wrong checksum";
  }
  return {};
}

// data[0] toggles the owner at chosen points (bit k set: byte k has no owner); the rest is the
// stream, appended one byte at a time. "" when every step agrees, else the first disagreement.
inline std::string FrameStreamViolation(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return {};
  const std::uint8_t ownerMask = data[0];
  RxBuffer rx;
  fuzzref::ReferencePort current(fuzzref::Rule::CheckedFirst);
  fuzzref::ReferencePort previous(fuzzref::Rule::LatestOrChecked);
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
    for (fuzzref::ReferencePort* port : {&current, &previous, &original}) {
      port->owner = owner;
      port->Append(data[i]);
    }
    const RxBuffer::Result r = rx.Append(data[i], owner);
    signals += static_cast<int>(r.signalled);
    if (r.delivered) delivered.push_back(r.frame);
    const bool scanned = data[i] == kFrameEnd || i + 1 == size;
    auto at = [i] { return " at byte " + std::to_string(i); };
    if (signals != current.signals) return "signals differ from the current rule" + at();
    if (delivered.size() != current.delivered.size() || (r.delivered && r.frame != current.delivered.back()))
      return "deliveries differ from the current rule" + at();
    if (rx.Size() != current.rx.size() || (scanned && rx.Bytes_() != current.rx))
      return "buffer differs from the current rule" + at();
    // Without an owner nothing is delivered: which bytes make each signalled frame shows only in
    // the recogniser's spans, held against the rule's wherever a scan kept the buffer.
    if (data[i] == kFrameEnd && !r.delivered) {
      const std::vector<FrameSpan> spans = RecognizeFrames(rx.Bytes_(), false);
      bool agree = spans.size() == current.scan.size();
      for (std::size_t k = 0; agree && k < spans.size(); ++k)
        agree = spans[k].start == current.scan[k].start && spans[k].end == current.scan[k].end;
      if (!agree) return "signalled frames differ from the current rule" + at();
    }
    const std::string parted = PreviousRuleViolation(current, previous, data[i] == kFrameEnd);
    if (!parted.empty()) return "against the previous rule: " + parted + at();
    // Until the current rule first takes a start other than the most recent 0xAA, the original
    // rule must give the same signals, deliveries and buffer.
    if (current.lookBacks == 0 && !same(current, original, scanned))
      return "the original rule differs from the current one before any look-back" + at();
  }
  if (current.lookBacks > 0 && !fuzzref::HasInnerStart(data + 1, size - 1))
    return "a look-back without a 0xAA inside another's reach";
  return {};
}

}  // namespace veyra::fuzz
