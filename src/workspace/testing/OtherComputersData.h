#pragma once
// A data folder as another computer exports it, for the tests of IMPORT:
// a user.dat with one user, Cleo (password "c"), and her photo "100.png".

#include <filesystem>

namespace tempovia::test {

// Writes it into folder (made when missing); false when it could not be.
bool WriteOtherComputersData(const std::filesystem::path& folder);

}  // namespace tempovia::test
