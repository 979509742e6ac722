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
    const char* fault;
    std::function<MmsRequest()> build;
    std::string frame;  // empty when refused
    std::string refusal = "";
  } rows[] = {
      {"an empty APN refused or padded", [] { return MmsApnPayload(""); }, "AA 00 26 26 55"},
      {"white space around the APN sent", [] { return MmsApnPayload(" \tinternet \r\n"); },
       TextFrame("26", "internet")},
      {"Unicode spaces around a field sent", [] { return MmsApnPayload("\u00A0\u3000mms\u2003"); },
       TextFrame("26", "mms")},
      {"white space inside a text dropped", [] { return MmsUrlPayload(" http://mms.net/a b "); },
       TextFrame("29", "http://mms.net/a b")},
      {"an 8-bit character sent as its UTF-8 bytes", [] { return MmsApnPayload("café"); },
       FrameLine("04 26 63 61 66 E9")},
      {"empty user and password sent with quotes", [] { return MmsUserPayload(" ", "\t"); },
       "AA 00 27 27 55"},
      {"user sent before the password", [] { return MmsUserPayload("user", "pw"); },
       TextFrame("27", R"("pw","user")")},
      {"an empty password part dropped", [] { return MmsUserPayload("u", ""); },
       TextFrame("27", R"("","u")")},
      {"an empty user part dropped", [] { return MmsUserPayload("", " p "); }, TextFrame("27", R"("p","")")},
      {"empty IP and port not sent as their quotes and commas",
       [] { return MmsGatewayPayload("", "", WapVersion::Wap20); }, "AA 05 30 31 2C 22 22 2C 03 55"},
      {"WAP 1.2 sent with the flag of 2.0",
       [wap12] { return MmsGatewayPayload(" 10.0.0.172 ", " 80 ", wap12); },
       TextFrame("30", R"(0,"10.0.0.172",80)")},
      {"WAP 2.0 sent with the flag of 1.2",
       [wap20] { return MmsGatewayPayload("10.0.0.172", "9201", wap20); },
       TextFrame("30", R"(1,"10.0.0.172",9201)")},
      {"a text of 250 bytes refused", [a250] { return MmsApnPayload(a250 + "  "); }, TextFrame("26", a250)},
      {"a text of 251 bytes sent with a wrapped LEN", [a250] { return MmsUrlPayload(a250 + "b"); }, "",
       tooLong},
      {"length counted in UTF-8 bytes", [e250] { return MmsApnPayload(e250); },
       TextFrame("26", std::string(250, '\xE9'))},
      {"the quotes left out of the user's length", [a245] { return MmsUserPayload("u", a245); }, "", tooLong},
      {"user text of 250 bytes refused", [] { return MmsUserPayload("u", std::string(244, 'p')); },
       TextFrame("27", "\"" + std::string(244, 'p') + "\",\"u\"")},
      {"the flag and quotes left out of the gateway's length",
       [a245, wap20] { return MmsGatewayPayload(a245, "8", wap20); }, "", tooLong},
      {"a character beyond Latin-1 sent cut to a byte", [] { return MmsApnPayload("mms€"); }, "", invalid},
      {"a character beyond Latin-1 in the user sent", [] { return MmsUserPayload("юзер", "pw"); }, "",
       invalid},
      {"a character beyond Latin-1 in the port sent",
       [wap20] { return MmsGatewayPayload("1.2.3.4", "８０", wap20); }, "", invalid},
      {"letters in the port refused", [wap20] { return MmsGatewayPayload("", "ab", wap20); },
       FrameLine("07 30 31 2C 22 22 2C 61 62")},
      {"a four-byte UTF-8 character sent", [] { return MmsUserPayload("u", "\xF0\x9F\x94\x91"); }, "",
       invalid},
      {"a cut UTF-8 sequence sent as its byte", [] { return MmsUrlPayload("ab\xC3"); }, "", invalid},
      {"an overlong UTF-8 form read as a quote", [] { return MmsApnPayload("a\xC0\xA2"); }, "", invalid},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
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
    const char* fault;
    std::string phone;
    std::string frame;  // empty when refused or when one of the longest
    std::string refusal = "";
    int lastByte = -1;  // the longest numbers: LEN 250 and this last byte
  } rows[] = {
      {"an empty number sent without its FF", "", "AA 01 32 FF 33 55"},
      {"plus not turned into B, or an odd number not padded with F", "+712345", "AA 04 32 B7 12 34 5F 93 55"},
      {"an even number not padded with FF", "1234", "AA 03 32 12 34 FF 7B 55"},
      {"star and G not turned into B", "*G", FrameLine("02 32 BB FF")},
      {"lower-case g not turned into B", "g1", FrameLine("02 32 B1 FF")},
      {"letters A to F not packed as nibbles", "ABCDEF", FrameLine("04 32 AB CD EF FF")},
      {"spaces around the number sent", " \t123 ", FrameLine("02 32 12 3F")},
      {"499 digits refused", std::string(499, '1'), "", "", 0x1F},
      {"498 digits refused", std::string(498, '2'), "", "", 0xFF},
      {"a lower-case hex letter packed as garbage", "12a4", "", invalid},
      {"a space inside the number packed", "12 34", "", invalid},
      {"a hash packed as garbage", "#31", "", invalid},
      {"a letter past F packed", "12H4", "", invalid},
      {"a non-ASCII digit packed", "١٢", "", invalid},
      {"a four-byte UTF-8 character packed", "\xF0\x9F\x93\x9E", "", invalid},
      {"500 digits sent with a wrapped LEN", std::string(500, '1'), "", tooLong},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
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
    const char* fault;
    const char* sent;  // the frame sent last
    const char* received;
    bool successful;
  } rows[] = {
      {"APN echo not taken", "AA 00 26 26 55", "AA 00 26 26 55", true},
      {"user echo not taken", "AA 00 27 27 55", "AA 00 27 27 55", true},
      {"URL echo not taken", "AA 00 29 29 55", "AA 00 29 29 55", true},
      {"gateway echo not taken", "AA 05 30 31 2C 22 22 2C 03 55", "AA 00 30 30 55", true},
      {"a reply unlike the command judged", "AA 00 26 26 55", "AA 01 0C 05 12 55", true},
      {"the test MMS's result shown", "AA 01 32 FF 33 55", "AA 00 32 32 55", false},
      {"reply to another dialog's command shown", "AA 00 20 20 55", "AA 00 20 20 55", false},
      {"reply shown with no whole frame sent", "AA 00", "AA 00 26 26 55", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
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
    const char* fault;
    const char* sent;  // the frame sent last
    const char* received;
    std::optional<std::string> status;
  } rows[] = {
      {"acknowledged test MMS goes unsaid", "AA 01 32 FF 33 55", "AA 00 32 32 55", accepted},
      {"another reply to the test read as accepted", "AA 01 32 FF 33 55", "AA 01 32 00 33 55", notConfirmed},
      {"a parameter's reply said beside its box", "AA 00 26 26 55", "AA 00 26 26 55", std::nullopt},
      {"reply said with no whole frame sent", "AA 00", "AA 00 32 32 55", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    const auto status = MmsReplyStatus(Hex(row.sent), Hex(row.received), test::DefaultAck);
    EXPECT_EQ(status ? std::optional(std::string(*status)) : std::nullopt, row.status);
  }
}

}  // namespace
}  // namespace veyra::sensors
