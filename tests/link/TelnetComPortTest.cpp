// The Telnet side of an RFC 2217 port: what goes out escaped, how the server's stream is taken
// apart whatever way it is cut, and which answers to the line settings count as a refusal.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "link/TelnetComPort.h"

namespace veyra {
namespace {

using telnet::Bytes;

Bytes Sub(std::uint8_t command, Bytes value) {
  Bytes out = {255, 250, 44, command};
  out.insert(out.end(), value.begin(), value.end());
  out.insert(out.end(), {255, 240});
  return out;
}

Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

// What ser2net answers to the line request on a pseudo-terminal.
const Bytes kAccepted = Cat({Sub(101, {0, 0, 0x25, 0x80}), Sub(102, {8}), Sub(103, {1}), Sub(104, {1}),
                             Sub(105, {1}), Sub(105, {14})});

TEST(TelnetComPortTest, EscapesEveryFf) {
  const struct {
    const char* fault;
    Bytes data, wire;
  } rows[] = {
      // clang-format off
      {"a frame without FF changed", {0xAA, 0x00, 0x55}, {0xAA, 0x00, 0x55}},
      {"a lone FF read as a command by the server", {0xFF}, {0xFF, 0xFF}},
      {"FF inside a frame cut it short", {0xAA, 0xFF, 0x01, 0x55}, {0xAA, 0xFF, 0xFF, 0x01, 0x55}},
      {"two FF in a row doubled once", {0xFF, 0xFF}, {0xFF, 0xFF, 0xFF, 0xFF}},
      {"an empty block grew", {}, {}},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    EXPECT_EQ(telnet::Escape(row.data.data(), row.data.size()), row.wire);
  }
}

TEST(TelnetComPortTest, LineRequestAsksFor9600EightNoneOne) {
  const Bytes request = telnet::LineRequest();
  const auto contains = [&request](const Bytes& part) {
    return std::search(request.begin(), request.end(), part.begin(), part.end()) != request.end();
  };
  const struct {
    const char* fault;
    Bytes part;
  } rows[] = {
      // clang-format off
      {"the COM-PORT-OPTION never offered", {255, 251, 44}},
      {"binary not offered: the server may turn CR into CR NUL", {255, 251, 0}},
      {"binary not asked of the server", {255, 253, 0}},
      {"baud rate not 9600 in network order", Sub(1, {0, 0, 0x25, 0x80})},
      {"data size not 8", Sub(2, {8})},
      {"parity not none", Sub(3, {1})},
      {"stop bits not 1", Sub(4, {1})},
      {"flow control not off", Sub(5, {1})},
      {"inbound flow control not off", Sub(5, {14})},
      {"DTR not off", Sub(5, {9})},
      {"RTS not off", Sub(5, {12})},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    EXPECT_TRUE(contains(row.part));
  }
}

TEST(TelnetComPortTest, DecodesTheServersStream) {
  const struct {
    const char* fault;
    Bytes wire;
    Bytes data, reply;
    std::vector<std::uint8_t> modem;
  } rows[] = {
      // clang-format off
      {"plain data lost", {0xAA, 0x00, 0x02, 0x02, 0x55}, {0xAA, 0x00, 0x02, 0x02, 0x55}, {}, {}},
      {"IAC IAC not read as one FF", {0xAA, 0xFF, 0xFF, 0x55}, {0xAA, 0xFF, 0x55}, {}, {}},
      {"FF FF FF FF not two bytes", {0xFF, 0xFF, 0xFF, 0xFF}, {0xFF, 0xFF}, {}, {}},
      {"a NOP in the data kept", {0x01, 0xFF, 241, 0x02}, {0x01, 0x02}, {}, {}},
      {"WILL ECHO accepted: our frames would come back", {255, 251, 1}, {}, {255, 254, 1}, {}},
      {"DO of an unknown option accepted", {255, 253, 24}, {}, {255, 252, 24}, {}},
      {"DO COM-PORT answered again: a loop", {255, 253, 44}, {}, {}, {}},
      {"WILL BINARY answered again: a loop", {255, 251, 0}, {}, {}, {}},
      {"WONT of something never agreed answered", {255, 252, 1}, {}, {}, {}},
      {"DONT of something never agreed answered", {255, 254, 1}, {}, {}, {}},
      {"modem state lost", Sub(107, {0x80}), {}, {}, {0x80}},
      {"modem state with FF value misread", Sub(107, {0xFF, 0xFF}), {}, {}, {0xFF}},
      {"data around a subnegotiation lost", Cat({{0x11}, Sub(107, {0}), {0x13}}), {0x11, 0x13}, {}, {0}},
      {"line-state notification taken as data", Cat({Sub(106, {0x60}), {0x0D}}), {0x0D}, {}, {}},
      {"a subnegotiation of another option taken as data", {255, 250, 24, 1, 255, 240, 0x0A}, {0x0A}, {}, {}},
      {"control bytes on the line mangled", {0x03, 0x0A, 0x0D, 0x00, 0x11, 0x13}, {0x03, 0x0A, 0x0D, 0x00, 0x11, 0x13}, {}, {}},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    for (const bool bytewise : {false, true}) {
      SCOPED_TRACE(bytewise ? "byte by byte" : "in one read");
      telnet::Decoder decoder;
      telnet::Decoded out;
      if (bytewise) {
        for (const std::uint8_t b : row.wire) decoder.Feed(&b, 1, out);
      } else {
        decoder.Feed(row.wire.data(), row.wire.size(), out);
      }
      EXPECT_EQ(out.data, row.data);
      EXPECT_EQ(out.reply, row.reply);
      EXPECT_EQ(out.modemStates, row.modem);
    }
  }
}

TEST(TelnetComPortTest, JudgesTheAcceptedLine) {
  const struct {
    const char* fault;
    Bytes wire;
    bool complete, refused, comPortAgreed;
  } rows[] = {
      // clang-format off
      {"ser2net's answers not taken as 9600 8N1", kAccepted, true, false, true},
      {"complete before the flow control was answered", Cat({Sub(101, {0, 0, 0x25, 0x80}), Sub(102, {8}), Sub(103, {1}), Sub(104, {1})}), false, false, true},
      {"19200 baud accepted", Cat({kAccepted, Sub(101, {0, 0, 0x4B, 0x00})}), true, true, true},
      {"baud 9600 misread from its byte order", Sub(101, {0x80, 0x25, 0, 0}), false, true, true},
      {"7 data bits accepted", Sub(102, {7}), false, true, true},
      {"even parity accepted", Sub(103, {3}), false, true, true},
      {"2 stop bits accepted", Sub(104, {2}), false, true, true},
      {"hardware flow control accepted", Sub(105, {3}), false, true, true},
      {"DTR on accepted", Sub(105, {8}), false, true, true},
      {"RTS on accepted", Sub(105, {11}), false, true, true},
      {"DTR off refused", Sub(105, {9}), false, false, true},
      {"a server that refuses the option waited for", {255, 254, 44}, false, false, false},
      {"a server that answers the option with 0x00 taken as a setting", Sub(101, {}), false, false, true},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    telnet::Decoder decoder;
    telnet::Decoded out;
    decoder.Feed(row.wire.data(), row.wire.size(), out);
    EXPECT_EQ(decoder.Accepted().Complete(), row.complete);
    EXPECT_EQ(decoder.Accepted().Refused(), row.refused);
    EXPECT_EQ(decoder.ComPortAgreed(), row.comPortAgreed);
  }
}

}  // namespace
}  // namespace veyra
