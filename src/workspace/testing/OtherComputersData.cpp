#include "workspace/testing/OtherComputersData.h"

#include <fstream>
#include <system_error>

#include "store/UserData.h"

namespace tempovia::test {

bool WriteOtherComputersData(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder / "photos", error);
  if (error) return false;
  UserData other;
  if (!other.Open(folder / "user.dat")) return false;
  LocalUserRecord user;
  user.name = "Cleo";
  user.password = "c";
  user.photo = "100.png";
  other.Current() = user;
  if (!other.Append()) return false;
  std::ofstream photo(folder / "photos" / "100.png");
  photo << "not really a picture";
  return photo.good();
}

}  // namespace tempovia::test
