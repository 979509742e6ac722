// Writes every frame sent and received, with a millisecond timestamp and its direction: what a
// technician needs to see when a host misbehaves.
#pragma once

#include <cstdio>

#include "link/Frame.h"

namespace veyra {

class HostPort;

// "12:34:56.789 > AA 00 09 09 55" for a frame sent, "<" for one received.
void WriteTraceLine(std::FILE* out, bool sent, const Bytes& frame);
void EnableTrace(HostPort& port, std::FILE* out);

}  // namespace veyra
