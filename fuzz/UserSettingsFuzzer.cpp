// The settings file, user.set, from anywhere. Loading it never changes it; a
// whole file loads as its bytes say, anything shorter as the defaults; what
// is saved loads back the same.

#include <array>
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "store/UserSettings.h"

using namespace tempovia;

namespace {

std::array<std::uint8_t, UserSettings::kSize> BytesOf(const UserSettings& settings) {
  std::array<std::uint8_t, UserSettings::kSize> bytes{};
  settings.ToBytes(bytes.data());
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto path = fuzz::Fresh() / "user.set";
  fuzz::WriteBytes(path, {data, size});

  const auto expected = size >= UserSettings::kSize ? BytesOf(UserSettings::FromBytes(data)) : BytesOf(UserSettings{});
  for (const bool create : {false, true}) {
    UserSettings settings;
    settings.SetPath(path);
    settings.Load(create);
    fuzz::Check(BytesOf(settings) == expected, "the settings loaded are not the file's");
    fuzz::Check(fuzz::ReadBytes(path) == std::vector<std::uint8_t>(data, data + size), "loading changed the file");
  }

  UserSettings saved;
  saved.SetPath(path);
  saved.Load();
  fuzz::Check(saved.Save().ok(), "saving the settings failed");
  const auto written = fuzz::ReadBytes(path);
  fuzz::Check(written.size() == UserSettings::kSize && std::equal(written.begin(), written.end(), expected.begin()),
              "the file saved is not the settings");
  UserSettings reloaded;
  reloaded.SetPath(path);
  fuzz::Check(reloaded.Load(false), "a saved file does not load");
  fuzz::Check(BytesOf(reloaded) == expected, "the settings saved load back otherwise");
  return 0;
}
