// Host frames: AA LEN CMD data CHK 55, and the hex texts the configuration uses for them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veyra {

using Bytes = std::vector<std::uint8_t>;

inline constexpr std::uint8_t kFrameStart = 0xAA;
inline constexpr std::uint8_t kFrameEnd = 0x55;
inline constexpr std::size_t kFrameOverhead = 5;     // AA, LEN, CMD, CHK, 55
inline constexpr std::size_t kMaxFrameLength = 255;  // the channel refuses blocks of 256 or more

// Offsets inside a frame that the feature codecs index by.
inline constexpr std::size_t kFrameLenOffset = 1;
inline constexpr std::size_t kFrameCmdOffset = 2;
inline constexpr std::size_t kFrameDataOffset = 3;

// (LEN + CMD + data) modulo 255: never 0xFF, the divisor is 255 not 256.
std::uint8_t Checksum(const Bytes& payload);

// 0xAA, the payload as given (LEN is not computed nor checked), CHK, 0x55.
Bytes BuildFrame(const Bytes& payload);

// Replaces out with the bytes of a text of space-separated hex pairs ("AA 00 09 09 55").
void ParseHexText(std::string_view text, Bytes& out);

// Appends the packed nibbles of an unseparated digit text; length < 0 means the whole text.
// "2013" gives 20 13; an odd final digit is dropped. Always returns 1.
int HexTextToBytes(std::string_view text, Bytes& out, int length = -1);

// "AA 00 09 09 55": upper-case pairs separated by single spaces.
std::string FormatHex(const Bytes& bytes);

// Command key of the acknowledgement table: two upper-case hex digits ("09", "0A").
std::string CommandKey(std::uint8_t command);

// The data bytes of a received frame (from offset 3), bounded by what the frame holds and by
// its LEN byte, so a decoder never reads past the end of a short or lying frame.
std::size_t FrameDataLength(const Bytes& frame);

}  // namespace veyra
