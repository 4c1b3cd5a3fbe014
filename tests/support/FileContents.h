#pragma once
// A file's or a whole folder's bytes, to compare before and after.

#include <cstdint>
#include <filesystem>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace tempovia::test {

// Empty when the file cannot be read.
std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path);
std::string ReadText(const std::filesystem::path& path);
// Throws when the file cannot be written: a test cannot go on without it.
void WriteText(const std::filesystem::path& path, const std::string& text);
void WriteBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
// Every file under folder with its bytes, by path relative to folder
// (folders as "name/", so an empty folder left behind shows too).
std::map<std::string, std::vector<std::uint8_t>> Tree(const std::filesystem::path& folder);
// Names in a folder, sorted (to see that no temporary file was left behind).
std::vector<std::string> FolderNames(const std::filesystem::path& folder);

}  // namespace tempovia::test
