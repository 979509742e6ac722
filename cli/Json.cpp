#include "cli/Json.h"

namespace veyra::cli {

std::string JsonText(const Json& document) {
  return document.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace veyra::cli
