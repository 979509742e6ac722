// veyractl's --json documents: fields in the order they are set, UTF-8 passed through as it is.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace veyra::cli {

using Json = nlohmann::ordered_json;

// The document on one line. Bytes that are no UTF-8 (a host's garbage in a name) are replaced
// rather than ending the program.
std::string JsonText(const Json& document);

}  // namespace veyra::cli
