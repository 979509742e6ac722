// What the global options' values must look like before anything is opened.
#pragma once

#include <string>

namespace veyra::cli {

// A value that is itself one of our options means the value was left out: "--port --trace arm".
bool IsOption(const std::string& arg);
// "com7" as "COM7": the name the port list prints, typed the way a person types it.
std::string PortName(const std::string& value);
// Why a --port value can name no port, or null. Empty or blank would otherwise mean "every port"
// to search and "no port" to the rest; a name longer than a path can be is no device either.
const char* PortValueError(const std::string& value);
// Why a --password value is not the host's password, or null. Anything but four digits would log
// in with some other number: the login reads the leading digits and takes letters for none.
const char* PasswordValueError(const std::string& value);

}  // namespace veyra::cli
