// Every reply a host can give for its setup record, timers and numbers, backed up and restored:
// decoded the way a backup decodes it, written as the file's text, read back, and turned into
// the commands a restore sends. Each command must carry back the bytes the host gave, or its item
// must be named as not restorable, in the file and in the notes a backup prints, while the file
// is still taken whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "backup/BackupFile.h"
#include "tests/common/CodecTestSupport.h"

namespace veyra::backup {
namespace {

using test::Hex;

// What a host answers a backup's three reads with: the bytes it keeps.
struct HostReplies {
  Bytes setup = Bytes(settings::kSetupRecordLength, 0);  // the record, without the signal byte
  std::array<Bytes, 3> timers;                           // the six time bytes of group 1 to 3
  std::array<Bytes, alarm::kPhoneSlotCount> phones;      // the packed bytes of slot 1 to 12
};

HostReplies Replies() {
  HostReplies host;
  host.timers.fill(Bytes(6, 0));
  host.phones.fill(Hex("FF"));
  return host;
}

// Decodes the host's frames with the codecs a backup reads them with.
HostConfiguration BackUp(const HostReplies& host) {
  HostConfiguration config;
  Bytes setup = {static_cast<std::uint8_t>(settings::kSetupReplyLength), settings::kSetupReadCommand};
  setup.insert(setup.end(), host.setup.begin(), host.setup.end());
  setup.push_back(0x93);  // the signal byte, never written back
  config.setup =
      settings::SetupReadReply(BuildFrame(settings::SetupReadPayload()), BuildFrame(setup))->record;
  for (std::size_t g = 0; g < host.timers.size(); ++g) {
    Bytes frame = {static_cast<std::uint8_t>(alarm::kTimedRecordLength), alarm::kTimedLookupCommand,
                   static_cast<std::uint8_t>(g + 1)};
    frame.insert(frame.end(), host.timers[g].begin(), host.timers[g].end());
    config.timers[g] = *alarm::TimedLookupRecord(BuildFrame(alarm::TimedLookupPayload()), BuildFrame(frame));
  }
  for (int slot = 1; slot <= alarm::kPhoneSlotCount; ++slot) {
    const Bytes& packed = host.phones[slot - 1];
    Bytes frame = {static_cast<std::uint8_t>(packed.size() + 1), alarm::kPhoneReadCommand,
                   static_cast<std::uint8_t>(slot)};
    frame.insert(frame.end(), packed.begin(), packed.end());
    config.phones[slot - 1] = alarm::DecodePhoneFrame(BuildFrame(frame))->text;
  }
  return config;
}

// The nibbles of a number that mean something: those before the first end nibble (0xC to 0xF),
// within the 32 bytes a number frame holds. What follows the end is no part of the number.
std::vector<int> NumberNibbles(const Bytes& packed) {
  std::vector<int> nibbles;
  for (std::size_t i = 0; i < std::min(packed.size(), alarm::kPhoneMaxPackedBytes); ++i) {
    for (int nibble : {packed[i] >> 4, packed[i] & 0x0F}) {
      if (nibble >= 0xC) return nibbles;
      nibbles.push_back(nibble);
    }
  }
  return nibbles;
}

// Whether the host's bytes have a form a restore can send; the rules the file must follow.
bool TimeRestorable(const std::uint8_t* time) {
  const bool active = time[0] >= 1 && time[0] <= 8;  // 0 and codes above 8 switch the timer off
  return !active || (time[1] <= 23 && time[2] <= 59);
}
bool TimerRestorable(const Bytes& times) { return TimeRestorable(&times[0]) && TimeRestorable(&times[3]); }
// A number that fills all 32 bytes leaves no room for the end nibble a write must carry.
bool PhoneRestorable(const Bytes& packed) {
  return NumberNibbles(packed).size() < 2 * alarm::kPhoneMaxPackedBytes;
}

const RestoreItem* Find(const std::vector<RestoreItem>& items, const std::string& name) {
  const auto found =
      std::find_if(items.begin(), items.end(), [&](const RestoreItem& i) { return i.item == name; });
  return found == items.end() ? nullptr : &*found;
}

bool Noted(const std::vector<std::string>& notes, const std::string& item) {
  return std::any_of(notes.begin(), notes.end(),
                     [&](const std::string& n) { return n.rfind(item + ":", 0) == 0; });
}

// The whole round trip of one host; every failure names the item and shows the file.
void ExpectRoundTrip(const HostReplies& host) {
  const HostConfiguration config = BackUp(host);
  const std::string text = BackupText(config, BackupHeader{1, "veyractl 9.9.9", "2024-05-01T09:30:00+02:00"});
  const std::vector<std::string> notes = BackupNotes(config);
  const BackupParse parse = ParseBackupText(text);
  ASSERT_TRUE(parse.config) << "the whole file refused, line " << parse.line << ": " << parse.reason << "\n"
                            << text;
  EXPECT_EQ(BackupText(*parse.config, BackupHeader{1, "veyractl 9.9.9", "2024-05-01T09:30:00+02:00"}), text)
      << "read back and written again, the file changes";
  const std::vector<RestoreItem> items = RestoreItems(*parse.config, kWritableAreas);
  ASSERT_EQ(items.size(), 1u + 3u + alarm::kPhoneSlotCount);

  const RestoreItem* setup = Find(items, "setup");
  ASSERT_TRUE(setup && setup->payload);
  Bytes expected = {0x06, settings::kSetupWriteCommand};
  expected.insert(expected.end(), host.setup.begin(), host.setup.end());
  EXPECT_EQ(test::Hexes({*setup->payload}), test::Hexes({expected})) << text;

  std::size_t notRestorable = 0;
  for (std::size_t g = 0; g < 3; ++g) {
    const std::string name = "timers.group" + std::to_string(g + 1);
    SCOPED_TRACE(name + " " + FormatHex(host.timers[g]));
    const RestoreItem* item = Find(items, name);
    ASSERT_TRUE(item);
    if (TimerRestorable(host.timers[g])) {
      expected = {0x07, alarm::kTimedSetCommand, static_cast<std::uint8_t>(g + 1)};
      expected.insert(expected.end(), host.timers[g].begin(), host.timers[g].end());
      ASSERT_TRUE(item->payload) << item->note << "\n" << text;
      EXPECT_EQ(test::Hexes({*item->payload}), test::Hexes({expected})) << text;
    } else {
      ++notRestorable;
      EXPECT_FALSE(item->payload) << "a time that never comes sent";
      EXPECT_FALSE(item->note.empty());
      EXPECT_TRUE(Noted(notes, name)) << "the backup does not say so";
    }
  }
  for (int slot = 1; slot <= alarm::kPhoneSlotCount; ++slot) {
    const std::string name = "phones." + PhoneFieldName(slot);
    const Bytes& packed = host.phones[slot - 1];
    SCOPED_TRACE(name + " " + FormatHex(packed));
    const RestoreItem* item = Find(items, name);
    ASSERT_TRUE(item);
    if (PhoneRestorable(packed)) {
      ASSERT_TRUE(item->payload) << item->note << "\n" << text;
      const Bytes& payload = *item->payload;
      ASSERT_GE(payload.size(), 4u);
      EXPECT_EQ(payload[0], payload.size() - 2);
      EXPECT_EQ(payload[1], alarm::kPhoneWriteCommand);
      EXPECT_EQ(payload[2], slot);
      const Bytes sent(payload.begin() + 3, payload.end());
      EXPECT_LE(sent.size(), alarm::kPhoneMaxPackedBytes);
      EXPECT_EQ(sent.back() & 0x0F, 0x0F) << "a write ends with a pad nibble";
      EXPECT_EQ(NumberNibbles(sent), NumberNibbles(packed)) << FormatHex(sent);
    } else {
      ++notRestorable;
      EXPECT_FALSE(item->payload) << "a number longer than a write carries sent";
      EXPECT_FALSE(item->note.empty());
      EXPECT_TRUE(Noted(notes, name)) << "the backup does not say so";
    }
  }
  EXPECT_EQ(notes.size(), notRestorable) << "a note for an item a restore writes";
  std::size_t marked = 0;
  for (std::size_t at = text.find("(not restorable)"); at != std::string::npos;
       at = text.find("(not restorable)", at + 1))
    ++marked;
  EXPECT_GE(marked, notRestorable) << "the file does not mark what a restore skips\n" << text;
  if (notRestorable == 0) {
    EXPECT_EQ(marked, 0u) << text;
  }

  // --only writes its areas, whatever another area holds.
  for (Area area : {Area::Setup, Area::Timers, Area::Phones}) {
    AreaSet only{};
    only[static_cast<int>(area)] = true;
    const std::vector<RestoreItem> some = RestoreItems(*parse.config, only);
    EXPECT_EQ(some.size(), area == Area::Setup ? 1u : area == Area::Timers ? 3u : 12u);
    for (const RestoreItem& item : some)
      EXPECT_EQ(item.item.rfind(std::string(AreaNames[static_cast<int>(area)]), 0), 0u) << item.item;
  }
}

// Each row is a host as it was met, labelled by what the round trip keeps of it.
TEST(BackupRoundTripTest, HostValuesComeBackOrAreNamed) {
  struct Row {
    const char* expect;
    const char* setup;   // six bytes, or null for zeros
    int group;           // 1 to 3, or 0 for none
    const char* times;   // six bytes
    int slot;            // 1 to 12, or 0 for none
    const char* packed;  // the packed bytes of that slot
  };
  const std::string zeros32Hex = [] {
    std::string hex;
    for (int i = 0; i < 32; ++i) hex += "00 ";
    return hex;
  }();
  const std::string prefixed31 = "3B " + zeros32Hex.substr(3);
  const std::string digits63 = zeros32Hex.substr(0, 31 * 3) + "0F";
  const Row rows[] = {
      // clang-format off
      {"a switched-off group kept as 00 FF FF leaves the file readable", nullptr, 3, "00 FF FF 00 FF FF", 0, ""},
      {"a switched-off time of 24:60 leaves the file readable", nullptr, 1, "00 18 3C 00 00 00", 0, ""},
      {"day code 9 leaves the file readable", nullptr, 2, "09 08 00 01 12 00", 0, ""},
      {"day code FF with its time FF FF leaves the file readable", nullptr, 1, "FF FF FF FF FF FF", 0, ""},
      {"hour 24 on a working day leaves the file readable", nullptr, 2, "02 18 00 01 12 00", 0, ""},
      {"minute 60 of a disarm time leaves the file readable", nullptr, 3, "00 00 00 08 17 3C", 0, ""},
      {"hour FF every day leaves the file readable", nullptr, 1, "01 FF FF 01 FF FF", 0, ""},
      {"32 packed 00 bytes (64 digits) leave the file readable", nullptr, 0, "", 12, zeros32Hex.c_str()},
      {"3B and 31 more bytes (64 characters) leave the file readable", nullptr, 0, "", 1, prefixed31.c_str()},
      {"63 digits and a pad nibble come back", nullptr, 0, "", 7, digits63.c_str()},
      {"end nibble C read as the end", nullptr, 0, "", 2, "12 3C"},
      {"bytes after the end left out of the number", nullptr, 0, "", 3, "12 FF 34 56"},
      {"a number without an end nibble comes back", nullptr, 0, "", 4, "12 34"},
      {"an empty frame (LEN 1) read as no number", nullptr, 0, "", 5, ""},
      {"colon nibble A comes back", nullptr, 0, "", 6, "A5 AA BF"},
      {"the 3G prefix comes back", nullptr, 0, "", 8, "3B 12 34 FF"},
      {"a lone 3B read as 3G alone", nullptr, 0, "", 9, "3B"},
      {"star nibble B at the start comes back", nullptr, 0, "", 10, "B2 1F"},
      {"every option bit and an unnamed size come back", "FF FF 00 FF 00 FF", 0, "", 0, ""},
      {"size 3 written as a number", "00 00 00 00 00 03", 0, "", 0, ""},
      // clang-format on
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.expect);
    HostReplies host = Replies();
    if (row.setup) host.setup = Hex(row.setup);
    if (row.group) host.timers[row.group - 1] = Hex(row.times);
    if (row.slot) host.phones[row.slot - 1] = Hex(row.packed);
    ExpectRoundTrip(host);
  }
}

// Bytes the rows above do not think of: many hosts, each value drawn from the edges of its range
// more often than from its middle. Seeded, so a failure comes back on every run.
TEST(BackupRoundTripTest, RandomHostsComeBackOrAreNamed) {
  std::mt19937 random(20240501);
  const auto draw = [&](int high) { return std::uniform_int_distribution<int>(0, high)(random); };
  const auto byte = [&](std::initializer_list<int> edges) {
    const std::vector<int> list(edges);
    if (draw(2) == 0) return static_cast<std::uint8_t>(draw(255));
    return static_cast<std::uint8_t>(list[draw(static_cast<int>(list.size()) - 1)]);
  };
  for (int n = 0; n < 3000; ++n) {
    HostReplies host = Replies();
    for (std::uint8_t& b : host.setup) b = byte({0, 1, 2, 3, 0x20, 0x7F, 0x80, 0xDF, 0xFF});
    for (Bytes& times : host.timers) {
      for (std::size_t i = 0; i < times.size(); ++i)
        times[i] = i % 3 == 0 ? byte({0, 1, 8, 9, 0xFF}) : byte({0, 23, 24, 59, 60, 99, 0xFF});
    }
    for (Bytes& packed : host.phones) {
      // Up to 33 bytes: a frame may announce more than the 32 a number holds.
      packed.resize(static_cast<std::size_t>(draw(3) == 0 ? 32 + draw(1) : draw(33)));
      for (std::size_t i = 0; i < packed.size(); ++i) {
        // Mostly digits, so long numbers without an end come up.
        packed[i] = draw(7) == 0 ? static_cast<std::uint8_t>(draw(255))
                                 : static_cast<std::uint8_t>(draw(9) << 4 | draw(9));
        if (i == 0 && draw(5) == 0) packed[i] = alarm::kPhone3GByte;
      }
    }
    SCOPED_TRACE("host " + std::to_string(n));
    ExpectRoundTrip(host);
    if (::testing::Test::HasFailure()) break;  // one host's failures are enough to read
  }
}

}  // namespace
}  // namespace veyra::backup
