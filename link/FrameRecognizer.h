// Finds host frames in the received bytes. The candidate start is the most recent 0xAA before
// a 0x55, and a candidate passes when its LEN byte agrees with its length; its checksum is not
// examined (hosts in the field have been seen to get it wrong). That alone loses every reply
// holding a 0xAA after its start (a data byte, or a checksum of 0xAA): the inner 0xAA fails the
// length test, or passes it by chance as a shorter candidate whose checksum is wrong. So at each
// 0x55 the start is the nearest 0xAA whose LEN byte agrees with the distance and whose checksum
// is right, the most recent one included, and only when there is none is the most recent 0xAA
// taken on its length alone, so a host that gets its checksums wrong is still heard. The checksum
// only chooses among starts: a frame ends at exactly the 0x55s where the most recent 0xAA and the
// length test alone would end one, and a frame with a right checksum from that start is the one
// taken. The checksum guard keeps stray bytes from being read as a frame.
#pragma once

#include <cstddef>
#include <vector>

#include "link/Frame.h"

namespace veyra {

struct FrameSpan {
  std::size_t start;  // the 0xAA
  std::size_t end;    // the 0x55, inclusive
  bool operator==(const FrameSpan&) const = default;
};

// Every passing candidate in scan order; with stopAtFirst (an owner takes the frame and the
// buffer is emptied) only the first.
std::vector<FrameSpan> RecognizeFrames(const Bytes& buffer, bool stopAtFirst);

// The receive buffer: bytes arrive one at a time and the recogniser runs after each 0x55.
// Without an owner a recognised frame stays in the buffer (only the reply event is signalled),
// and is met again by the next scan.
class RxBuffer {
 public:
  static constexpr std::size_t kBound = 4096;  // past this without a delivery, the oldest go
  static constexpr std::size_t kKeep = 255;    // the longest frame that could still complete

  struct Result {
    std::size_t signalled = 0;  // frames recognised (each signals the reply event)
    bool delivered = false;     // a frame was taken by the owner; the buffer is now empty
    Bytes frame;                // that frame
  };

  // Appends one byte and runs the recogniser when it is 0x55.
  Result Append(std::uint8_t byte, bool hasOwner);
  void Clear() { bytes_.clear(); }
  const Bytes& Bytes_() const { return bytes_; }
  std::size_t Size() const { return bytes_.size(); }

 private:
  Bytes bytes_;
};

}  // namespace veyra
