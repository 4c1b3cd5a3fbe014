#pragma once
// Paths (and other text from outside) in the tool's JSON. A path is bytes and
// JSON holds UTF-8 text: the field shows each byte that is not valid UTF-8 as
// U+FFFD, and only then a sibling field, its name with "Bytes" appended
// ("path", "pathBytes"), holds the path's exact bytes in base64, so a script
// can still reach the file.

#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace tempovia::cli {

void SetPath(nlohmann::ordered_json& object, const std::string& field, std::string_view path);

// Text that is shown, not used to reach anything: invalid bytes as U+FFFD.
nlohmann::ordered_json ShownText(std::string_view text);

}  // namespace tempovia::cli
