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
    const char* fault;
    const char* payload;
    std::optional<int> mmsSize;
    NetworkMode network;
    std::uint8_t checked;
  } rows[] = {
      {"bit 5 clear is not 3G only", "07 03 DF 00 00 00 00 02 00", 2, NetworkMode::Only3G, 0xDF},
      {"bit 5 taken for a check box", "07 03 20 00 00 00 00 00 00", 0, NetworkMode::Automatic, 0x00},
      {"size 3 selects a size", "07 03 20 00 00 00 00 03 00", std::nullopt, NetworkMode::Automatic, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
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
    const char* fault;
    const char* sent;
    const char* received;
  } rows[] = {
      {"record decoded after a write", "AA 06 04 BB 03 05 1E 0A 01 F6 55",
       "AA 07 03 BB 03 05 1E 0A 01 85 7C 55"},
      {"record decoded before anything was sent", "", "AA 07 03 BB 03 05 1E 0A 01 85 7C 55"},
      {"signal byte read past a six-byte record", "AA 00 03 03 55", "AA 06 03 BB 03 05 1E 0A 01 F5 55"},
      {"lying LEN read past the frame's end", "AA 00 03 03 55", "AA 07 03 BB 03 05 55"},
  };
  for (const auto& row : rows) EXPECT_FALSE(SetupReadReply(Hex(row.sent), Hex(row.received))) << row.fault;
}

TEST(SetupCodec, SignalText) {
  const struct {
    const char* fault;
    std::uint8_t signal;
    const char* text;
  } rows[] = {
      {"3G level keeps bit 7", 0x85, "5 (3G WCDMA)"},
      {"2G level in upper-case or with a leading zero", 0x1F, "1f (2G GSM)"},
      {"3G level zero dropped", 0x80, "0 (3G WCDMA)"},
      {"3G level shown in decimal", 0x9A, "1a (3G WCDMA)"},
  };
  for (const auto& row : rows) EXPECT_EQ(SignalText(row.signal), row.text) << row.fault;
}

// The level in words at the edges of each band, for both networks.
TEST(SetupCodec, SignalInWords) {
  const struct {
    const char* fault;
    std::uint8_t signal;
    std::string_view words;
    int level;
    bool onScale;
  } rows[] = {
      {"2G zero not weak", 0x00, kSignalWeakText, 0, true},
      {"2G 9 not weak", 0x09, kSignalWeakText, 9, true},
      {"2G 10 still weak", 0x0A, kSignalFairText, 10, true},
      {"2G 14 not fair", 0x0E, kSignalFairText, 14, true},
      {"2G 15 still fair", 0x0F, kSignalGoodText, 15, true},
      {"2G 19 not good", 0x13, kSignalGoodText, 19, true},
      {"2G 20 still good", 0x14, kSignalExcellentText, 20, true},
      {"2G hex 1a read as 1 or 10", 0x1A, kSignalExcellentText, 26, true},
      {"2G 31 off the scale", 0x1F, kSignalExcellentText, 31, true},
      {"2G 32 taken as excellent", 0x20, kSignalOffScaleText, 32, false},
      {"2G 99 taken as a level", 0x63, kSignalNotMeasuredText, 99, false},
      {"3G bit 7 read as part of the level", 0x85, kSignalWeakText, 5, true},
      {"3G 26 read with bit 7", 0x9A, kSignalExcellentText, 26, true},
      {"3G 99 taken as a level", 0xE3, kSignalNotMeasuredText, 99, false},
      {"3G 127 taken as a level", 0xFF, kSignalOffScaleText, 127, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
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
    const char* fault;
    SetupControls controls;
    const char* payload;
  } rows[] = {
      {"unlisted size overwritten with FF", read, "06 04 20 03 05 1E 0A 07"},
      {"size picked after an unlisted read ignored", readThenPicked, "06 04 20 03 05 1E 0A 02"},
      {"3G only leaves bit 5 from a check box", threeG, "06 04 DF 03 05 1E 0A 07"},
      {"nothing read: no network selection taken as 3G, no size as 0", SetupControls{},
       "06 04 20 00 00 00 00 FF"},
      {"99 refused, redial not taken modulo 256, an empty edit or trailing junk misread", typed,
       "06 04 20 63 2C 00 07 00"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
    EXPECT_EQ(FormatHex(SetupWritePayload(SetupRecordFromControls(row.controls))), row.payload);
  }
}

TEST(SetupCodec, ReplyMessages) {
  const struct {
    const char* fault;
    const char* sent;
    const char* received;
    std::optional<std::string> message;
    AckCheck checkAck = DefaultAck;
  } rows[] = {
      {"write acknowledged", "AA 06 04 BB 03 05 1E 0A 01 F6 55", "AA 00 04 04 55",
       "Настройки конфигурации приняты!"},
      {"write refused reported as accepted", "AA 06 04 BB 03 05 1E 0A 01 F6 55", "AA 00 04 05 55",
       "Настройки конфигурации не верны!"},
      {"reset acknowledged", "AA 00 23 23 55", "AA 00 23 23 55", "Сброс выполнен!"},
      {"reset refused reported as done", "AA 00 23 23 55", "AA 00 25 25 55", "Ошибка сброса!"},
      {"format acknowledged", "AA 00 25 25 55", "AA 00 25 25 55", "Форматирование успешно завершено!"},
      {"format refused reported as done", "AA 00 25 25 55", "AA 00 23 23 55", "Неверная команда!"},
      {"missing checker counts as acknowledged", "AA 00 23 23 55", "AA 00 23 23 55", "Ошибка сброса!",
       AckCheck{}},
      {"get-setup reply given a message", "AA 00 03 03 55", "AA 07 03 BB 03 05 1E 0A 01 85 7C 55",
       std::nullopt},
      {"another page's command judged", "AA 00 09 09 55", "AA 00 09 09 55", std::nullopt},
      {"frame before anything was sent judged", "", "AA 00 23 23 55", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.fault);
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
