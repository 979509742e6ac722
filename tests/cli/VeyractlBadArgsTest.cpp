// veyractl given arguments no user meant, for every command, against a host that answers on COM7:
// nothing may reach the line, and the refusal must say what was wrong. Usage errors exit 2 on
// standard error; values a dialog's control could hold but the dialog refuses exit 1 with the
// dialog's own message on standard output, as the command-line tests of each feature pin.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "tests/common/CodecTestSupport.h"
#include "tests/common/PtyHostFixture.h"
#include "tests/common/Veyractl.h"

namespace veyra {
namespace {

using test::RunVeyractl;

using VeyractlBadArgsTest = test::PtyHostFixture;

// The arguments after "--port COM7".
std::vector<std::string> On(std::initializer_list<std::string> args) {
  std::vector<std::string> all{"--port", "COM7"};
  all.insert(all.end(), args);
  return all;
}

TEST_F(VeyractlBadArgsTest, RefusedBeforeAnythingIsSent) {
  const std::string kLong(10000, 'x'), kHuge = "99999999999999999999";
  const std::string kEmoji = "\xF0\x9F\x94\x94", kCyrillic = "пароль", kBlanks = "  \t ";
  const std::string fifo = env.Dir() + "/trace.fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::vector<std::string> tooLongPayload = On({"send"});
  tooLongPayload.insert(tooLongPayload.end(), 253, "00");  // a frame holds 252
  const struct {
    const char* expect;
    std::vector<std::string> args;
    int status;        // 2: usage on stderr; 1: the dialog's refusal on stdout
    std::string says;  // found on that stream
  } rows[] = {
      // clang-format off
      // The options before the command.
      {"no command is refused", {}, 2, "no command given"},
      {"a port without a command", {"--port", "COM7"}, 2, "no command given"},
      {"--port at the end needs a value", {"--port"}, 2, "--port needs a value"},
      {"--port followed by an option needs a value", {"--port", "--trace", "arm"}, 2, "--port needs a value"},
      {"--password at the end needs a value", {"--port", "COM7", "--password"}, 2, "--password needs a value"},
      {"--password followed by -v needs a value", {"--password", "-v", "--port", "COM7", "arm"}, 2, "--password needs a value"},
      {"an empty port is refused", {"--port", "", "--password", "1234", "search"}, 2, "--port needs COMn"},
      {"a blank port is refused", {"--port", kBlanks, "arm"}, 2, "--port needs COMn"},
      {"a port name past any path is refused", {"--port", kLong, "arm"}, 2, "--port value too long"},
      {"a negative COM number is refused", {"--port", "COM-1", "arm"}, 2, "COM-1"},
      {"a huge COM number is refused", {"--port", "COM" + kHuge, "arm"}, 2, "COM number too large"},
      {"an empty password is refused", {"--password", "", "--port", "COM7", "arm"}, 2, "--password needs the host's password"},
      {"a lettered password is refused", On({"--password", "abcd", "arm"}), 2, "four-digit password"},
      {"a blank password is refused", On({"--password", "    ", "arm"}), 2, "four-digit password"},
      {"a five-digit password is refused", On({"--password", "12345", "arm"}), 2, "four-digit password"},
      {"a negative password is refused", On({"--password", "-123", "arm"}), 2, "four-digit password"},
      {"a huge password is refused", On({"--password", kHuge, "arm"}), 2, "four-digit password"},
      {"non-ASCII digits are refused", On({"--password", "١٢٣٤", "arm"}), 2, "four-digit password"},
      {"an emoji password is refused", On({"--password", kEmoji, "arm"}), 2, "four-digit password"},
      {"an unknown option is named", {"--bogus", "arm"}, 2, "unknown option '--bogus'"},
      {"-p at the end needs a value", {"-p"}, 2, "--port needs a value"},
      {"--trace into a directory is refused", On({"--trace=/", "arm"}), 2, "--trace cannot append to /"},
      {"--trace into a FIFO nobody reads is refused at once", On({"--trace=" + fifo, "arm"}), 2,
       "--trace cannot append to " + fifo + ": nothing reads from it"},
      {"--port auto without the password is refused", {"--port", "auto", "arm"}, 2, "--port auto with --password"},
      {"a bare -- is named", {"--", "arm"}, 2, "unknown option '--'"},
      {"an over-long option is refused", {"--" + kLong}, 2, "unknown option"},
      {"an unknown language is refused", On({"--lang", "de", "arm"}), 2, "--lang takes original (the messages as written), en or ru"},
      // Commands that do not exist.
      {"an unknown command is refused", On({"frobnicate"}), 2, "unknown command 'frobnicate'"},
      {"command names are case-sensitive", On({"ARM"}), 2, "unknown command 'ARM'"},
      {"an empty command name is refused", On({""}), 2, "unknown command ''"},
      {"an emoji command name", On({kEmoji}), 2, "unknown command '" + kEmoji + "'"},
      {"an over-long command name", On({kLong}), 2, "unknown command"},
      {"a single-dash option is named as unknown", On({"-x", "arm"}), 2, "unknown option '-x'"},
      {"a second command is refused", On({"mms-apn", "x", "arm"}), 2, "mms-apn TEXT"},
      {"help for a command that does not exist is refused", {"help", "frobnicate"}, 2, "help takes one command name"},
      // Commands without arguments, given one.
      {"ports takes no argument", {"ports", "COM7"}, 2, "ports takes no arguments"},
      {"history takes no argument", On({"history", "1"}), 2, "history takes no arguments"},
      {"erase-history without --yes", On({"erase-history"}), 2, "erase-history sends nothing without --yes"},
      {"erase-history with an argument", On({"erase-history", "--yes", "all"}), 2, "erase-history takes --yes and nothing else"},
      {"arm takes no argument", On({"arm", ""}), 2, "take no arguments"},
      {"disarm takes no argument", On({"disarm", kLong}), 2, "take no arguments"},
      {"partial takes no argument", On({"partial", kEmoji}), 2, "take no arguments"},
      {"phones takes no argument", On({"phones", "1"}), 2, "phones takes no arguments"},
      {"timers takes no argument", On({"timers", "-1"}), 2, "timers takes no arguments"},
      {"setup takes no argument", On({"setup", kHuge}), 2, "setup takes no arguments"},
      {"search takes no argument", On({"--password", "1234", "search", "x"}), 2, "search takes no arguments"},
      {"search without a password", On({"search"}), 2, "search needs --password"},
      // send.
      {"send without a payload", On({"send"}), 2, "send needs the payload"},
      {"send without a command byte", On({"send", "00"}), 2, "send needs the payload"},
      {"an empty byte is refused", On({"send", "00", ""}), 2, "not a hex byte: "},
      {"a blank byte is refused", On({"send", "00", kBlanks}), 2, "not a hex byte"},
      {"a 0x prefix is refused", On({"send", "0x9"}), 2, "not a hex byte"},
      {"a blank before a hex digit is refused", On({"send", "00", " f"}), 2, "not a hex byte"},
      {"a sign before a hex digit is refused", On({"send", "00", "+f"}), 2, "not a hex byte"},
      {"send without a port is refused", {"send", "00", "09"}, 2, "--port"},
      {"a negative byte is refused", On({"send", "00", "-1"}), 2, "not a hex byte: -1"},
      {"a huge byte is refused", On({"send", "00", kHuge}), 2, "not a hex byte: " + kHuge},
      {"letters past F are refused", On({"send", "00", "zz"}), 2, "not a hex byte: zz"},
      {"non-ASCII is no hex", On({"send", "00", kCyrillic}), 2, "not a hex byte"},
      {"an over-long byte", On({"send", "00", kLong}), 2, "not a hex byte"},
      {"a payload past a frame", tooLongPayload, 2, "payload too long"},
      // phone-set.
      {"phone-set without a number", On({"phone-set"}), 2, "phone-set SLOT=NUMBER"},
      {"an empty slot argument", On({"phone-set", ""}), 2, "not taken: ''"},
      {"slot 0", On({"phone-set", "0=1"}), 2, "not taken: '0=1'"},
      {"a negative slot", On({"phone-set", "-1=1"}), 2, "not taken: '-1=1'"},
      {"a huge slot", On({"phone-set", kHuge + "=1"}), 2, "SLOT 1-12"},
      {"a lettered slot", On({"phone-set", "a=1"}), 2, "not taken: 'a=1'"},
      {"a slot without =", On({"phone-set", "1"}), 2, "not taken: '1'"},
      {"slot 13", On({"phone-set", "13=1"}), 2, "not taken: '13=1'"},
      {"a slot given twice", On({"phone-set", "1=1", "1=2"}), 2, "not taken: '1=2'"},
      {"an emoji slot", On({"phone-set", kEmoji + "=1"}), 2, "SLOT 1-12"},
      {"letters in a number are refused by the dialog", On({"phone-set", "1=abc"}), 1, "телефонных номеров 1!"},
      // timer-set.
      {"timer-set without arguments", On({"timer-set"}), 2, "timer-set GROUP"},
      {"timer-set with one too many", On({"timer-set", "1", "2", "07:30", "1", "19:00", "x"}), 2, "timer-set GROUP"},
      {"group 0", On({"timer-set", "0", "2", "07:30", "1", "19:00"}), 2, "GROUP 1-3"},
      {"group 4", On({"timer-set", "4", "2", "07:30", "1", "19:00"}), 2, "GROUP 1-3"},
      {"timer-set with one too few", On({"timer-set", "1", "2", "07:30", "1"}), 2, "timer-set GROUP"},
      {"a negative group", On({"timer-set", "-1", "2", "07:30", "1", "19:00"}), 2, "GROUP 1-3"},
      {"a huge day code", On({"timer-set", "1", kHuge, "07:30", "1", "19:00"}), 2, "day codes 0-8"},
      {"day code 9", On({"timer-set", "1", "9", "07:30", "1", "19:00"}), 2, "day codes 0-8"},
      {"an empty time", On({"timer-set", "1", "2", "", "1", "19:00"}), 2, "ARM_HH:MM"},
      {"a time without minutes", On({"timer-set", "1", "2", "07:", "1", "19:00"}), 2, "ARM_HH:MM"},
      {"a lettered time", On({"timer-set", "1", "2", "ab:cd", "1", "19:00"}), 2, "ARM_HH:MM"},
      {"an emoji time", On({"timer-set", "1", "2", "07:30", "1", kEmoji}), 2, "DISARM_HH:MM"},
      // The sensors page.
      {"--filter without its position", On({"sensors", "--filter"}), 2, "sensors [--filter POS]"},
      {"a filter past the list", On({"sensors", "--filter", "11"}), 2, "POS 0-10"},
      {"a negative filter", On({"sensors", "--filter", "-1"}), 2, "POS 0-10"},
      {"a huge filter", On({"sensors", "--filter", kHuge}), 2, "POS 0-10"},
      {"a blank filter", On({"sensors", "--filter", kBlanks}), 2, "POS 0-10"},
      {"sensors with an unknown argument", On({"sensors", "all"}), 2, "sensors [--filter POS]"},
      {"learn without a zone", On({"learn", "0", "0"}), 2, "learn TYPE_POS MODE_POS ZONE"},
      {"learn with one too many", On({"learn", "0", "0", "1", "1"}), 2, "learn TYPE_POS MODE_POS ZONE"},
      {"a lettered type", On({"learn", "a", "0", "1"}), 2, "TYPE_POS 0-9"},
      {"a type past the list", On({"learn", "10", "0", "1"}), 2, "TYPE_POS 0-9"},
      {"a negative zone", On({"learn", "0", "0", "-1"}), 2, "ZONE up to 2 digits"},
      {"a huge zone", On({"learn", "0", "0", kHuge}), 2, "ZONE up to 2 digits"},
      {"a non-ASCII zone", On({"learn", "0", "0", kCyrillic}), 2, "ZONE up to 2 digits"},
      {"an empty zone is refused by the dialog", On({"learn", "0", "0", ""}), 1, "Введите зону!!"},
      {"delete without a number", On({"delete", "1"}), 2, "delete KIND_POS NUMBER"},
      {"a kind past the list", On({"delete", "2", "1"}), 2, "KIND_POS 0"},
      {"a blank number", On({"delete", "1", kBlanks}), 2, "NUMBER up to 2 digits"},
      {"a huge number", On({"delete", "1", kHuge}), 2, "NUMBER up to 2 digits"},
      {"an empty number is refused by the dialog", On({"delete", "1", ""}), 1, "Введите NO. датчика!!"},
      {"delete-all without a kind", On({"delete-all"}), 2, "delete-all sensors|remotes|doorbells"},
      {"an unknown kind", On({"delete-all", "all", "--yes"}), 2, "delete-all sensors|remotes|doorbells"},
      {"delete-all without --yes", On({"delete-all", "sensors"}), 2, "sends nothing without --yes"},
      {"delete-all with one too many", On({"delete-all", "sensors", "--yes", "x"}), 2, "delete-all sensors"},
      {"siren-id without an ID", On({"siren-id"}), 2, "siren-id ID"},
      {"a huge siren ID", On({"siren-id", kHuge}), 2, "8 digits"},
      {"a lettered siren ID", On({"siren-id", "0120012a"}), 2, "8 digits"},
      {"an empty siren ID is refused by the dialog", On({"siren-id", ""}), 1, "Укажите ID сирены!!"},
      // The settings pages.
      {"setup-set without a setting", On({"setup-set"}), 2, "setup-set NAME=VALUE"},
      {"a setting without =", On({"setup-set", "siren"}), 2, "not taken: 'siren'"},
      {"an empty delay is refused", On({"setup-set", "siren="}), 2, "not taken: 'siren='"},
      {"a blank delay", On({"setup-set", "arm_delay=" + kBlanks}), 2, "not taken"},
      {"a negative delay", On({"setup-set", "alarm_delay=-1"}), 2, "not taken: 'alarm_delay=-1'"},
      {"a huge delay", On({"setup-set", "siren=" + kHuge}), 2, "not taken"},
      {"an empty redial", On({"setup-set", "redial="}), 2, "not taken: 'redial='"},
      {"a lettered redial", On({"setup-set", "redial=abc"}), 2, "not taken: 'redial=abc'"},
      {"an emoji network", On({"setup-set", "network=" + kEmoji}), 2, "network: auto or 3g"},
      {"an over-long option value", On({"setup-set", "mirror=" + kLong}), 2, "not taken"},
      {"an empty setting name", On({"setup-set", "=1"}), 2, "not taken: '=1'"},
      {"the bad one of several is named", On({"setup-set", "siren=1", "mms_size=9"}), 2, "not taken: 'mms_size=9'"},
      {"a name given twice", On({"setup-set", "siren=1", "siren=2"}), 2, "not taken: 'siren=2'"},
      {"reset without --yes", On({"reset"}), 2, "reset sends nothing without --yes"},
      {"reset's extra argument is named with --yes", On({"reset", "--yes", "now"}), 2, "reset takes --yes and nothing else"},
      {"format with a misspelt --yes", On({"format", "--YES"}), 2, "format takes --yes and nothing else"},
      {"password-change without the new password", On({"password-change", "1234"}), 2, "password-change CURRENT NEW"},
      {"password-change with one too many", On({"password-change", "1234", "5678", "5678", "5678"}), 2, "password-change CURRENT NEW"},
      {"letters in a new password", On({"password-change", "1234", "abcd"}), 2, "passwords are digits"},
      {"a blank password", On({"password-change", kBlanks, "5678"}), 2, "passwords are digits"},
      {"a negative password", On({"password-change", "-123", "5678"}), 2, "passwords are digits"},
      {"an emoji password", On({"password-change", "1234", kEmoji}), 2, "passwords are digits"},
      {"a huge password is refused by the dialog", On({"password-change", kHuge, "5678"}), 1, "Длина пароля должна составлять 4 символа!"},
      {"--at without a time", On({"clock-sync", "--at"}), 2, "clock-sync [--at"},
      {"clock-sync with an unknown argument", On({"clock-sync", "now"}), 2, "clock-sync [--at"},
      {"an empty time is refused", On({"clock-sync", "--at", ""}), 2, "a local time that exists"},
      {"hour 25 is refused", On({"clock-sync", "--at", "2016-02-29 25:00:00"}), 2, "a local time that exists"},
      {"a negative year is refused", On({"clock-sync", "--at", "-016-02-29 12:00:00"}), 2, "a local time that exists"},
      {"a huge time is refused", On({"clock-sync", "--at", kHuge}), 2, "a local time that exists"},
      {"trailing text after the time", On({"clock-sync", "--at", "2016-02-29 12:00:00 " + kEmoji}), 2, "a local time that exists"},
      // The smart-home and MMS dialogs.
      {"smarthome-id without an ID", On({"smarthome-id"}), 2, "smarthome-id ID"},
      {"a blank ID", On({"smarthome-id", kBlanks}), 2, "up to 6 digits"},
      {"a negative ID", On({"smarthome-id", "-12345"}), 2, "up to 6 digits"},
      {"seven ID digits are refused", On({"smarthome-id", "1234567"}), 2, "up to 6 digits"},
      {"a huge ID is refused", On({"smarthome-id", kHuge}), 2, "up to 6 digits"},
      {"an emoji ID", On({"smarthome-id", kEmoji}), 2, "up to 6 digits"},
      {"trigger-single without a position", On({"trigger-single"}), 2, "trigger-single POS"},
      {"an empty position", On({"trigger-single", ""}), 2, "trigger-single POS (0-8"},
      {"a position past the single list", On({"trigger-single", "9"}), 2, "trigger-single POS (0-8"},
      {"a negative position", On({"trigger-double", "-1"}), 2, "trigger-double POS (0-17"},
      {"a position past the double list", On({"trigger-double", "18"}), 2, "trigger-double POS (0-17"},
      {"a huge position", On({"trigger-double", kHuge}), 2, "trigger-double POS (0-17"},
      {"trigger-double with one too many", On({"trigger-double", "1", "2"}), 2, "trigger-double POS"},
      {"mms-apn without a text", On({"mms-apn"}), 2, "mms-apn TEXT"},
      {"mms-url with one too many", On({"mms-url", "a", "b"}), 2, "mms-url URL"},
      {"mms-user without the password", On({"mms-user", "u"}), 2, "mms-user USER PASSWORD"},
      {"mms-ip with --wap but no version", On({"mms-ip", "1.2.3.4", "80", "--wap"}), 2, "mms-ip IP PORT"},
      {"mms-ip with an unknown option", On({"mms-ip", "1.2.3.4", "80", "--wop", "1.2"}), 2, "mms-ip IP PORT"},
      {"a WAP version the list does not hold", On({"mms-ip", "1.2.3.4", "80", "--wap", "3.0"}), 2, "--wap 2.0|1.2"},
      {"mms-test without a phone", On({"mms-test"}), 2, "mms-test PHONE"},
      {"an over-long APN is refused by the dialog", On({"mms-apn", kLong}), 1, "Text is too long!"},
      {"an emoji URL is refused by the dialog", On({"mms-url", kEmoji}), 1, "Invalid character!"},
      {"a Cyrillic user is refused by the dialog", On({"mms-user", kCyrillic, "p"}), 1, "Invalid character!"},
      {"a lettered test phone is refused by the dialog", On({"mms-test", "12x4"}), 1, "Invalid character!"},
      // clang-format on
  };
  env.SetTimeouts(1, 200);  // a row that does reach the host fails quickly
  // A crash is a status of -1 (a signal) or a sanitizer's report on a stream that must be empty.
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expect);
    host.ClearLog();
    const auto result = RunVeyractl(row.args);
    EXPECT_EQ(result.status, row.status) << "stdout: " << result.out << "\nstderr: " << result.err;
    const std::string& said = row.status == 2 ? result.err : result.out;
    EXPECT_NE(said.find(row.says), std::string::npos) << said.substr(0, 2000);
    EXPECT_EQ(row.status == 2 ? result.out : result.err, "") << "the other stream";
    EXPECT_EQ(test::Hexes(host.FramesReceived()), std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace veyra
