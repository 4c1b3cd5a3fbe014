#include "cli/JsonPaths.h"

#include "base/Utf8.h"

namespace tempovia::cli {

void SetPath(nlohmann::ordered_json& object, const std::string& field, std::string_view path) {
  object[field] = ReplaceInvalidUtf8(path);
  if (!IsValidUtf8(path)) object[field + "Bytes"] = Base64(path);
}

nlohmann::ordered_json ShownText(std::string_view text) {
  return ReplaceInvalidUtf8(text);
}

}  // namespace tempovia::cli
