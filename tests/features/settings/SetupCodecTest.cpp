#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "features/settings/SetupCodec.h"
#include "tests/common/CodecTestSupport.h"

namespace veyra::settings {
namespace {

using test::DefaultAck;
using test::Hex;

TEST(SetupCodec, WhatTheReadPutsIntoTheLists) {
  const struct {
    const char* expect;
    const char* payload;
    std::optional<int> mmsSize;
    NetworkMode network;
    std::uint8_t checked;
  } rows[] = {
      {"bit 5 clear is 3G only", "07 03 DF 00 00 00 00 02 00", 2, NetworkMode::Only3G, 0xDF},
      {"bit 5 is no check box", "07 03 20 00 00 00 00 00 00", 0, NetworkMode::Automatic, 0x00},
      {"size 3 selects no size", "07 03 20 00 00 00 00 03 00", std::nullopt, NetworkMode::Automatic, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const auto reply = DecodeSetupReply(BuildFrame(Hex(row.payload)));
    ASSERT_TRUE(reply);
    const SetupControls controls = SetupControlsFromRecord(reply->record);
    EXPECT_EQ(controls.mmsSize, row.mmsSize);
    EXPECT_EQ(controls.network, row.network);
    EXPECT_EQ(controls.checked, row.checked);
  }
}

// Only a frame answering a get-setup, with all seven bytes, fills the page.
TEST(SetupCodec, FramesThatAreNoRecord) {
  const struct {
    const char* expect;
    const char* sent;
    const char* received;
  } rows[] = {
      {"no record after a write", "AA 06 04 BB 03 05 1E 0A 01 F6 55", "AA 07 03 BB 03 05 1E 0A 01 85 7C 55"},
      {"no record before anything was sent", "", "AA 07 03 BB 03 05 1E 0A 01 85 7C 55"},
      {"a six-byte record is no record", "AA 00 03 03 55", "AA 06 03 BB 03 05 1E 0A 01 F5 55"},
      {"a lying LEN is no record", "AA 00 03 03 55", "AA 07 03 BB 03 05 55"},
  };
  for (const auto& row : rows) EXPECT_FALSE(SetupReadReply(Hex(row.sent), Hex(row.received))) << row.expect;
}

TEST(SetupCodec, SignalText) {
  const struct {
    const char* expect;
    std::uint8_t signal;
    const char* text;
  } rows[] = {
      {"the 3G level drops bit 7", 0x85, "5 (3G WCDMA)"},
      {"the 2G level in lower-case hex without a leading zero", 0x1F, "1f (2G GSM)"},
      {"3G level zero shown", 0x80, "0 (3G WCDMA)"},
      {"the 3G level shown in hex", 0x9A, "1a (3G WCDMA)"},
  };
  for (const auto& row : rows) EXPECT_EQ(SignalText(row.signal), row.text) << row.expect;
}

// The level in words at the edges of each band, for both networks.
TEST(SetupCodec, SignalInWords) {
  const struct {
    const char* expect;
    std::uint8_t signal;
    std::string_view words;
    int level;
    bool onScale;
  } rows[] = {
      {"2G zero is weak", 0x00, kSignalWeakText, 0, true},
      {"2G 9 is weak", 0x09, kSignalWeakText, 9, true},
      {"2G 10 is fair", 0x0A, kSignalFairText, 10, true},
      {"2G 14 is fair", 0x0E, kSignalFairText, 14, true},
      {"2G 15 is good", 0x0F, kSignalGoodText, 15, true},
      {"2G 19 is good", 0x13, kSignalGoodText, 19, true},
      {"2G 20 is excellent", 0x14, kSignalExcellentText, 20, true},
      {"2G hex 1a is 26, excellent", 0x1A, kSignalExcellentText, 26, true},
      {"2G 31 is excellent", 0x1F, kSignalExcellentText, 31, true},
      {"2G 32 is off the scale", 0x20, kSignalOffScaleText, 32, false},
      {"2G 99 is not measured", 0x63, kSignalNotMeasuredText, 99, false},
      {"3G bit 7 is no part of the level", 0x85, kSignalWeakText, 5, true},
      {"3G 26 is read without bit 7", 0x9A, kSignalExcellentText, 26, true},
      {"3G 99 is not measured", 0xE3, kSignalNotMeasuredText, 99, false},
      {"3G 127 is off the scale", 0xFF, kSignalOffScaleText, 127, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const SignalReading reading = ReadSignal(row.signal);
    EXPECT_EQ(reading.words, row.words);
    EXPECT_EQ(reading.level, row.level);
    EXPECT_EQ(reading.onScale, row.onScale);
  }
}

// The controls as a user may leave them, and the record a save builds from them.
TEST(SetupCodec, SaveBuildsTheRecordFromTheControls) {
  SetupControls read =
      SetupControlsFromRecord({0x20, 3, 5, 30, 10, 7});  // a size this program has no text for
  SetupControls readThenPicked = read;
  readThenPicked.mmsSize = 2;
  SetupControls threeG = read;
  threeG.network = NetworkMode::Only3G;
  threeG.checked = 0xFF;
  SetupControls typed;
  typed.network = NetworkMode::Automatic;
  typed.siren = "99";
  typed.redial = "300";
  typed.armDelay = "";
  typed.alarmDelay = "7x";
  typed.mmsSize = 0;
  const struct {
    const char* expect;
    SetupControls controls;
    const char* payload;
  } rows[] = {
      {"an unlisted size is kept", read, "06 04 20 03 05 1E 0A 07"},
      {"a size picked after an unlisted read is sent", readThenPicked, "06 04 20 03 05 1E 0A 02"},
      {"3G only clears bit 5 whatever the check boxes", threeG, "06 04 DF 03 05 1E 0A 07"},
      {"nothing read: no network selection is automatic, no size FF", SetupControls{},
       "06 04 20 00 00 00 00 FF"},
      {"99 is sent, redial taken modulo 256, an empty edit 0, trailing junk dropped", typed,
       "06 04 20 63 2C 00 07 00"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    EXPECT_EQ(FormatHex(SetupWritePayload(SetupRecordFromControls(row.controls))), row.payload);
  }
}

TEST(SetupCodec, ReplyMessages) {
  const struct {
    const char* expect;
    const char* sent;
    const char* received;
    std::optional<std::string> message;
    AckCheck checkAck = DefaultAck;
  } rows[] = {
      {"write acknowledged", "AA 06 04 BB 03 05 1E 0A 01 F6 55", "AA 00 04 04 55",
       "Настройки конфигурации приняты!"},
      {"a refused write reported as refused", "AA 06 04 BB 03 05 1E 0A 01 F6 55", "AA 00 04 05 55",
       "Настройки конфигурации не верны!"},
      {"reset acknowledged", "AA 00 23 23 55", "AA 00 23 23 55", "Сброс выполнен!"},
      {"a refused reset reported as failed", "AA 00 23 23 55", "AA 00 25 25 55", "Ошибка сброса!"},
      {"format acknowledged", "AA 00 25 25 55", "AA 00 25 25 55", "Форматирование успешно завершено!"},
      {"a refused format reported as failed", "AA 00 25 25 55", "AA 00 23 23 55", "Неверная команда!"},
      {"a missing checker counts as failure", "AA 00 23 23 55", "AA 00 23 23 55", "Ошибка сброса!",
       AckCheck{}},
      {"a get-setup reply gets no message", "AA 00 03 03 55", "AA 07 03 BB 03 05 1E 0A 01 85 7C 55",
       std::nullopt},
      {"another page's command not judged", "AA 00 09 09 55", "AA 00 09 09 55", std::nullopt},
      {"a frame before anything was sent not judged", "", "AA 00 23 23 55", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const std::optional<Message> message = SetupReplyMessage(Hex(row.sent), Hex(row.received), row.checkAck);
    ASSERT_EQ(message.has_value(), row.message.has_value());
    if (!message) continue;
    EXPECT_EQ(*message, OwnedMessage(*row.message));
  }
  EXPECT_EQ(FormatHex(BuildFrame(ResetPayload())), "AA 00 23 23 55");
  EXPECT_EQ(FormatHex(BuildFrame(FormatPayload())), "AA 00 25 25 55");
}

// Whoever acts on a reply (a restore, veyractl's exit status) reads the verdict, not the words.
TEST(SetupCodec, ReplyOutcomeSaysWhetherTheHostAcknowledged) {
  const struct {
    const char* expect;
    const char* sent;
    const char* received;
    std::optional<bool> acknowledged;
    AckCheck checkAck = DefaultAck;
  } rows[] = {
      {"an acknowledged write is acknowledged", "AA 06 04 BB 03 05 1E 0A 01 F6 55", "AA 00 04 04 55", true},
      {"a refused write is not acknowledged", "AA 06 04 BB 03 05 1E 0A 01 F6 55", "AA 00 04 05 55", false},
      {"an acknowledged reset is acknowledged", "AA 00 23 23 55", "AA 00 23 23 55", true},
      {"a reset answered as a format is not acknowledged", "AA 00 23 23 55", "AA 00 25 25 55", false},
      {"an acknowledged format is acknowledged", "AA 00 25 25 55", "AA 00 25 25 55", true},
      {"a reply with no checker is not acknowledged", "AA 00 23 23 55", "AA 00 23 23 55", false, AckCheck{}},
      {"a get-setup reply has no outcome", "AA 00 03 03 55", "AA 07 03 BB 03 05 1E 0A 01 85 7C 55",
       std::nullopt},
      {"a reply before anything was sent has no outcome", "", "AA 00 23 23 55", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    const std::optional<ReplyOutcome> outcome =
        SetupReplyOutcome(Hex(row.sent), Hex(row.received), row.checkAck);
    EXPECT_EQ(outcome ? std::optional(outcome->acknowledged) : std::nullopt, row.acknowledged);
    const std::optional<Message> message = SetupReplyMessage(Hex(row.sent), Hex(row.received), row.checkAck);
    EXPECT_EQ(outcome ? std::optional(outcome->message) : std::nullopt, message) << "the same message";
  }
}

}  // namespace
}  // namespace veyra::settings
