#include "app/HelpRequest.h"

#include <string_view>

namespace tempovia {

bool MayAskForHelpOrVersion(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    std::string_view name = argv[i];
    if (name == "--") return false;  // the options end here
    if (name.starts_with("--"))
      name.remove_prefix(2);
    else if (name.starts_with("-"))
      name.remove_prefix(1);
    else
      continue;
    if (name == "h" || name == "help" || name == "version") return true;
  }
  return false;
}

}  // namespace tempovia
