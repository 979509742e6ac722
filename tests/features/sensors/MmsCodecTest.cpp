#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "features/sensors/MmsCodec.h"
#include "tests/common/CodecTestSupport.h"

namespace veyra::sensors {
namespace {

using test::FrameLine;
using test::Hex;

// The frame of a text command, written as the text it carries.
std::string TextFrame(const char* command, const std::string& text) {
  Bytes payload(text.begin(), text.end());
  payload.insert(payload.begin(), {static_cast<std::uint8_t>(text.size()), Hex(command)[0]});
  return FormatHex(BuildFrame(payload));
}

TEST(MmsCodec, ParameterPayloadsOrRefusals) {
  const std::string tooLong = "Text is too long!", invalid = "Invalid character!";
  const std::string a250(250, 'a'), a245(245, 'a');
  std::string e250;  // 250 characters of two UTF-8 bytes each
  for (int i = 0; i < 250; ++i) e250 += "é";
  const auto wap20 = WapVersion::Wap20, wap12 = WapVersion::Wap12;
  const struct {
    const char* expect;
    std::function<MmsRequest()> build;
    std::string frame;  // empty when refused
    std::string refusal = "";
  } rows[] = {
      {"an empty APN is sent empty", [] { return MmsApnPayload(""); }, "AA 00 26 26 55"},
      {"white space around the APN is dropped", [] { return MmsApnPayload(" \tinternet \r\n"); },
       TextFrame("26", "internet")},
      {"Unicode spaces around a field are dropped", [] { return MmsApnPayload("\u00A0\u3000mms\u2003"); },
       TextFrame("26", "mms")},
      {"white space inside a text is kept", [] { return MmsUrlPayload(" http://mms.net/a b "); },
       TextFrame("29", "http://mms.net/a b")},
      {"an 8-bit character is sent as its Latin-1 byte", [] { return MmsApnPayload("café"); },
       FrameLine("04 26 63 61 66 E9")},
      {"an empty user and password are sent empty", [] { return MmsUserPayload(" ", "\t"); },
       "AA 00 27 27 55"},
      {"the password is sent before the user", [] { return MmsUserPayload("user", "pw"); },
       TextFrame("27", R"("pw","user")")},
      {"an empty password part keeps its quotes", [] { return MmsUserPayload("u", ""); },
       TextFrame("27", R"("","u")")},
      {"an empty user part keeps its quotes", [] { return MmsUserPayload("", " p "); },
       TextFrame("27", R"("p","")")},
      {"an empty IP and port are sent as their quotes and commas",
       [] { return MmsGatewayPayload("", "", WapVersion::Wap20); }, "AA 05 30 31 2C 22 22 2C 03 55"},
      {"WAP 1.2 is sent with its flag 0",
       [wap12] { return MmsGatewayPayload(" 10.0.0.172 ", " 80 ", wap12); },
       TextFrame("30", R"(0,"10.0.0.172",80)")},
      {"WAP 2.0 is sent with its flag 1", [wap20] { return MmsGatewayPayload("10.0.0.172", "9201", wap20); },
       TextFrame("30", R"(1,"10.0.0.172",9201)")},
      {"a text of 250 bytes is sent", [a250] { return MmsApnPayload(a250 + "  "); }, TextFrame("26", a250)},
      {"a text of 251 bytes is refused as too long", [a250] { return MmsUrlPayload(a250 + "b"); }, "",
       tooLong},
      {"the length is counted in Latin-1 bytes", [e250] { return MmsApnPayload(e250); },
       TextFrame("26", std::string(250, '\xE9'))},
      {"the quotes count in the user's length", [a245] { return MmsUserPayload("u", a245); }, "", tooLong},
      {"a user text of 250 bytes is sent", [] { return MmsUserPayload("u", std::string(244, 'p')); },
       TextFrame("27", "\"" + std::string(244, 'p') + "\",\"u\"")},
      {"the flag and quotes count in the gateway's length",
       [a245, wap20] { return MmsGatewayPayload(a245, "8", wap20); }, "", tooLong},
      {"a character beyond Latin-1 is refused", [] { return MmsApnPayload("mms€"); }, "", invalid},
      {"a character beyond Latin-1 in the user is refused", [] { return MmsUserPayload("юзер", "pw"); }, "",
       invalid},
      {"a character beyond Latin-1 in the port is refused",
       [wap20] { return MmsGatewayPayload("1.2.3.4", "８０", wap20); }, "", invalid},
      {"letters in the port are sent", [wap20] { return MmsGatewayPayload("", "ab", wap20); },
       FrameLine("07 30 31 2C 22 22 2C 61 62")},
      {"a four-byte UTF-8 character is refused", [] { return MmsUserPayload("u", "\xF0\x9F\x94\x91"); }, "",
       invalid},
      {"a cut UTF-8 sequence is refused", [] { return MmsUrlPayload("ab\xC3"); }, "", invalid},
      {"an overlong UTF-8 form is refused", [] { return MmsApnPayload("a\xC0\xA2"); }, "", invalid},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const MmsRequest request = row.build();
    ASSERT_EQ(request.payload.has_value(), !request.refusal.has_value()) << "a refusal sends nothing";
    if (request.payload) {
      EXPECT_EQ(FormatHex(BuildFrame(*request.payload)), row.frame);
    } else {
      EXPECT_EQ(request.refusal, OwnedMessage(row.refusal));
    }
  }
}

TEST(MmsCodec, TestPhonePaddedReplacedAndPacked) {
  const std::string tooLong = "Text is too long!", invalid = "Invalid character!";
  const struct {
    const char* expect;
    std::string phone;
    std::string frame;  // empty when refused or when one of the longest
    std::string refusal = "";
    int lastByte = -1;  // the longest numbers: LEN 250 and this last byte
  } rows[] = {
      {"an empty number is sent as FF", "", "AA 01 32 FF 33 55"},
      {"plus becomes B and an odd number is padded with F", "+712345", "AA 04 32 B7 12 34 5F 93 55"},
      {"an even number is padded with FF", "1234", "AA 03 32 12 34 FF 7B 55"},
      {"star and G become B", "*G", FrameLine("02 32 BB FF")},
      {"lower-case g becomes B", "g1", FrameLine("02 32 B1 FF")},
      {"letters A to F are packed as nibbles", "ABCDEF", FrameLine("04 32 AB CD EF FF")},
      {"spaces around the number are dropped", " \t123 ", FrameLine("02 32 12 3F")},
      {"499 digits are sent", std::string(499, '1'), "", "", 0x1F},
      {"498 digits are sent", std::string(498, '2'), "", "", 0xFF},
      {"a lower-case hex letter is refused", "12a4", "", invalid},
      {"a space inside the number is refused", "12 34", "", invalid},
      {"a hash is refused", "#31", "", invalid},
      {"a letter past F is refused", "12H4", "", invalid},
      {"a non-ASCII digit is refused", "١٢", "", invalid},
      {"a four-byte UTF-8 character is refused", "\xF0\x9F\x93\x9E", "", invalid},
      {"500 digits are refused as too long", std::string(500, '1'), "", tooLong},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const MmsRequest request = MmsTestPayload(row.phone);
    ASSERT_EQ(request.payload.has_value(), !request.refusal.has_value()) << "a refusal sends nothing";
    if (!request.payload) {
      EXPECT_EQ(request.refusal, OwnedMessage(row.refusal));
    } else if (row.lastByte >= 0) {
      ASSERT_EQ(request.payload->size(), 252u);
      EXPECT_EQ((*request.payload)[0], 250);
      EXPECT_EQ(request.payload->back(), row.lastByte);
    } else {
      EXPECT_EQ(FormatHex(BuildFrame(*request.payload)), row.frame);
    }
  }
  EXPECT_EQ(PaddedTestPhone("+7 "), "B7FF");
}

TEST(MmsCodec, ReplyMessage) {
  const struct {
    const char* expect;
    const char* sent;  // the frame sent last
    const char* received;
    bool successful;
  } rows[] = {
      {"the APN echo is taken as success", "AA 00 26 26 55", "AA 00 26 26 55", true},
      {"the user echo is taken as success", "AA 00 27 27 55", "AA 00 27 27 55", true},
      {"the URL echo is taken as success", "AA 00 29 29 55", "AA 00 29 29 55", true},
      {"the gateway echo is taken as success", "AA 05 30 31 2C 22 22 2C 03 55", "AA 00 30 30 55", true},
      {"any reply to a parameter is taken as success", "AA 00 26 26 55", "AA 01 0C 05 12 55", true},
      {"the test MMS's result shows no box", "AA 01 32 FF 33 55", "AA 00 32 32 55", false},
      {"a reply to another dialog's command shows nothing", "AA 00 20 20 55", "AA 00 20 20 55", false},
      {"a reply with no whole frame sent shows nothing", "AA 00", "AA 00 26 26 55", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const std::optional<Message> message = MmsReplyMessage(Hex(row.sent), Hex(row.received));
    if (row.successful) {
      EXPECT_EQ(message, OwnedMessage("Sending Successful"));
    } else {
      EXPECT_FALSE(message);
    }
  }
}

// The test MMS's reply, which no box reports, on the status line.
TEST(MmsCodec, ReplyStatus) {
  const std::string accepted(kMmsTestAcceptedStatusText), notConfirmed(kMmsNotConfirmedStatusText);
  const struct {
    const char* expect;
    const char* sent;  // the frame sent last
    const char* received;
    std::optional<std::string> status;
  } rows[] = {
      {"an acknowledged test MMS is said accepted", "AA 01 32 FF 33 55", "AA 00 32 32 55", accepted},
      {"another reply to the test is said not confirmed", "AA 01 32 FF 33 55", "AA 01 32 00 33 55",
       notConfirmed},
      {"a parameter's reply says nothing on the status line", "AA 00 26 26 55", "AA 00 26 26 55",
       std::nullopt},
      {"a reply with no whole frame sent says nothing", "AA 00", "AA 00 32 32 55", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const auto status = MmsReplyStatus(Hex(row.sent), Hex(row.received), test::DefaultAck);
    EXPECT_EQ(status ? std::optional(std::string(*status)) : std::nullopt, row.status);
  }
}

}  // namespace
}  // namespace veyra::sensors
