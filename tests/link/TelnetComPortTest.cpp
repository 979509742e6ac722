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
    const char* expect;
    Bytes data, wire;
  } rows[] = {
      // clang-format off
      {"a frame without FF stays", {0xAA, 0x00, 0x55}, {0xAA, 0x00, 0x55}},
      {"a lone FF is doubled", {0xFF}, {0xFF, 0xFF}},
      {"FF inside a frame is doubled", {0xAA, 0xFF, 0x01, 0x55}, {0xAA, 0xFF, 0xFF, 0x01, 0x55}},
      {"two FF in a row are each doubled", {0xFF, 0xFF}, {0xFF, 0xFF, 0xFF, 0xFF}},
      {"an empty block stays empty", {}, {}},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    EXPECT_EQ(telnet::Escape(row.data.data(), row.data.size()), row.wire);
  }
}

TEST(TelnetComPortTest, LineRequestAsksFor9600EightNoneOne) {
  const Bytes request = telnet::LineRequest();
  const auto contains = [&request](const Bytes& part) {
    return std::search(request.begin(), request.end(), part.begin(), part.end()) != request.end();
  };
  const struct {
    const char* expect;
    Bytes part;
  } rows[] = {
      // clang-format off
      {"the COM-PORT-OPTION is offered", {255, 251, 44}},
      {"binary is offered: else the server may turn CR into CR NUL", {255, 251, 0}},
      {"binary is asked of the server", {255, 253, 0}},
      {"the baud rate is 9600 in network order", Sub(1, {0, 0, 0x25, 0x80})},
      {"the data size is 8", Sub(2, {8})},
      {"parity is none", Sub(3, {1})},
      {"stop bits are 1", Sub(4, {1})},
      {"flow control is off", Sub(5, {1})},
      {"inbound flow control is off", Sub(5, {14})},
      {"DTR is off", Sub(5, {9})},
      {"RTS is off", Sub(5, {12})},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    EXPECT_TRUE(contains(row.part));
  }
}

TEST(TelnetComPortTest, DecodesTheServersStream) {
  const struct {
    const char* expect;
    Bytes wire;
    Bytes data, reply;
    std::vector<std::uint8_t> modem;
  } rows[] = {
      // clang-format off
      {"plain data passes", {0xAA, 0x00, 0x02, 0x02, 0x55}, {0xAA, 0x00, 0x02, 0x02, 0x55}, {}, {}},
      {"IAC IAC reads as one FF", {0xAA, 0xFF, 0xFF, 0x55}, {0xAA, 0xFF, 0x55}, {}, {}},
      {"FF FF FF FF reads as two bytes", {0xFF, 0xFF, 0xFF, 0xFF}, {0xFF, 0xFF}, {}, {}},
      {"a NOP in the data is dropped", {0x01, 0xFF, 241, 0x02}, {0x01, 0x02}, {}, {}},
      {"WILL ECHO is refused: our frames would come back", {255, 251, 1}, {}, {255, 254, 1}, {}},
      {"DO of an unknown option is refused", {255, 253, 24}, {}, {255, 252, 24}, {}},
      {"DO COM-PORT is not answered again", {255, 253, 44}, {}, {}, {}},
      {"WILL BINARY is not answered again", {255, 251, 0}, {}, {}, {}},
      {"WONT of something never agreed goes unanswered", {255, 252, 1}, {}, {}, {}},
      {"DONT of something never agreed goes unanswered", {255, 254, 1}, {}, {}, {}},
      {"the modem state is read", Sub(107, {0x80}), {}, {}, {0x80}},
      {"a modem state of FF is read", Sub(107, {0xFF, 0xFF}), {}, {}, {0xFF}},
      {"data around a subnegotiation passes", Cat({{0x11}, Sub(107, {0}), {0x13}}), {0x11, 0x13}, {}, {0}},
      {"a line-state notification is no data", Cat({Sub(106, {0x60}), {0x0D}}), {0x0D}, {}, {}},
      {"a subnegotiation of another option is no data", {255, 250, 24, 1, 255, 240, 0x0A}, {0x0A}, {}, {}},
      {"control bytes on the line pass unchanged", {0x03, 0x0A, 0x0D, 0x00, 0x11, 0x13}, {0x03, 0x0A, 0x0D, 0x00, 0x11, 0x13}, {}, {}},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
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
    const char* expect;
    Bytes wire;
    bool complete, refused, comPortAgreed;
  } rows[] = {
      // clang-format off
      {"ser2net's answers are taken as 9600 8N1", kAccepted, true, false, true},
      {"incomplete until the flow control is answered", Cat({Sub(101, {0, 0, 0x25, 0x80}), Sub(102, {8}), Sub(103, {1}), Sub(104, {1})}), false, false, true},
      {"19200 baud is refused", Cat({kAccepted, Sub(101, {0, 0, 0x4B, 0x00})}), true, true, true},
      {"baud 9600 in the wrong byte order is refused", Sub(101, {0x80, 0x25, 0, 0}), false, true, true},
      {"7 data bits are refused", Sub(102, {7}), false, true, true},
      {"even parity is refused", Sub(103, {3}), false, true, true},
      {"2 stop bits are refused", Sub(104, {2}), false, true, true},
      {"hardware flow control is refused", Sub(105, {3}), false, true, true},
      {"DTR on is refused", Sub(105, {8}), false, true, true},
      {"RTS on is refused", Sub(105, {11}), false, true, true},
      {"DTR off is accepted", Sub(105, {9}), false, false, true},
      {"a server that refuses the option agrees no COM port", {255, 254, 44}, false, false, false},
      {"an empty answer to the baud rate is no setting", Sub(101, {}), false, false, true},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
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
