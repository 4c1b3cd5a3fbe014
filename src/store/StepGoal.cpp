#include "store/StepGoal.h"

#include <cerrno>
#include <cstdio>
#include <system_error>
#include <vector>

#include "base/RegularFile.h"
#include "store/FileWriter.h"

namespace tempovia {
namespace {

// Far more than the file ever holds; a larger file is not ours.
constexpr std::size_t kLimit = 256;

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::string StepGoalFileName(std::int32_t userId) {
  return std::to_string(userId) + "_goal.txt";
}

bool ParseStepGoal(std::string_view text, std::optional<int>& goal) {
  text = Trimmed(text);
  if (text.empty()) {
    goal.reset();
    return true;
  }
  if (text.size() > 5) return false;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  if (value < kFewestGoalSteps || value > kMostGoalSteps) return false;
  goal = value;
  return true;
}

std::string StepGoalText(const std::optional<int>& goal) {
  return goal ? std::to_string(*goal) : std::string();
}

std::optional<int> LoadStepGoal(const StorePaths& paths, std::int32_t userId) {
  std::vector<std::uint8_t> bytes;
  if (!ReadRegularFile(paths.DataFolder() / StepGoalFileName(userId), kLimit, bytes) || bytes.size() > kLimit)
    return std::nullopt;
  std::optional<int> goal;
  if (!ParseStepGoal(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), goal))
    return std::nullopt;
  return goal;
}

Status SaveStepGoal(const StorePaths& paths, std::int32_t userId, const std::optional<int>& goal) {
  const std::filesystem::path file = paths.DataFolder() / StepGoalFileName(userId);
  if (!goal) {
    std::error_code error;
    std::filesystem::remove(file, error);
    if (error) return Status::Error(FileErrorText(file, error.value()));
    return Status::Ok();
  }
  const std::string text = StepGoalText(goal) + "\n";
  return ReplaceFile(file, std::vector<std::uint8_t>(text.begin(), text.end()));
}

}  // namespace tempovia
