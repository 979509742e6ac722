// Bytes written the way the protocol is read: hex text in, hex text out, and the acknowledgement
// table a host ships with.
#pragma once

#include <string>
#include <vector>

#include "link/Frame.h"

namespace veyra::test {

inline Bytes Hex(const std::string& text) {
  Bytes bytes;
  ParseHexText(text, bytes);
  return bytes;
}

// The default acknowledgement table: each command answered by AA 00 kk kk 55.
inline int DefaultAck(const std::string& key, const Bytes& frame) {
  return frame == Hex("AA 00 " + key + " " + key + " 55") ? 1 : 0;
}

// Frames as text, so a failure shows them readably.
inline std::vector<std::string> Hexes(const std::vector<Bytes>& frames) {
  std::vector<std::string> texts;
  for (const Bytes& frame : frames) texts.push_back(FormatHex(frame));
  return texts;
}

// The frame a payload goes out in, as text.
inline std::string FrameLine(const std::string& payload) { return FormatHex(BuildFrame(Hex(payload))); }

}  // namespace veyra::test
