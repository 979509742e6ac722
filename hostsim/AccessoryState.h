// The simulated host's side of the smart-home ID and trigger codes, the MMS parameters: frame in, reply frames out.
// Built from the host's byte layouts on its own, not from the utility's codecs.
// Not synchronised: the owner serialises Handle and the accessors.
#pragma once

#include <cstdint>
#include <vector>

#include "link/Frame.h"

namespace veyra::hostsim {

class AccessoryState {
 public:
  bool Handles(std::uint8_t) const { return false; }
  std::vector<Bytes> Handle(const Bytes&) { return {}; }
};

}  // namespace veyra::hostsim
