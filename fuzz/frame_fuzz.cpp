// Feeds arbitrary bytes to the receive buffer and to the literal transcription of the recognition
// rules; any difference in what is signalled, delivered or kept is a crash.
#include <cstdlib>

#include "fuzz/FrameReference.h"
#include "link/FrameRecognizer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte toggles the owner at chosen points: bit k set means byte k has no owner.
  const std::uint8_t ownerMask = data[0];
  veyra::RxBuffer rx;
  veyra::fuzzref::ReferencePort ref;
  int signals = 0;
  std::vector<veyra::Bytes> delivered;
  for (std::size_t i = 1; i < size; ++i) {
    const bool owner = !(ownerMask & (1u << (i % 8)));
    ref.owner = owner;
    ref.Append(data[i]);
    const veyra::RxBuffer::Result r = rx.Append(data[i], owner);
    signals += static_cast<int>(r.signalled);
    if (r.delivered) delivered.push_back(r.frame);
    if (signals != ref.signals || delivered != ref.delivered || rx.Bytes_() != ref.rx) std::abort();
  }
  return 0;
}
