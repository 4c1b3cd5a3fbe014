#include <memory>

#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/JsonPaths.h"
#include "cli/JsonRecords.h"
#include "report/CsvWriter.h"
#include "users/UserRules.h"

namespace tempovia::cli {
namespace {

using Json = nlohmann::ordered_json;

struct NewUser {
  std::string name;
  double height = 0;
  double weight = 0;
  double walkingStride = 0;
  double runningStride = 0;
  int age = 0;
  std::string sex;
};

Json ListUsers(CliContext& context) {
  UserData& users = context.Users(Access::Read);
  // A user.dat from elsewhere may tie two users together; say so beside the list.
  for (const std::string& problem : users.Problems()) ShowNotice(NoticeIcon::Warning, problem);
  Json list = Json::array();
  for (int i = 0; i < users.GetCount(); ++i) {
    const LocalUserRecord user = users.RecordAt(i);
    if (user.hidden == 0) list.push_back(ToJson(user));
  }
  return list;
}

Json AddNewUser(CliContext& context, const NewUser& input) {
  LocalUserRecord user;
  user.name = CliContext::ToStored(input.name, kMaxNameLength, "The user name");
  user.password = CliContext::ToStored(context.Password(input.name), kMaxPasswordLength, "The password");
  if (user.name.empty() || user.password.empty()) throw CliError(kInputAllDataMessage, kExitUsage);
  user.height = input.height;
  user.weight = input.weight;
  user.walkingStride = input.walkingStride;
  user.runningStride = input.runningStride;
  // Measures are optional here, but one that is given must be in range.
  if (const auto bad = FirstOutOfRange(user, true)) throw CliError(RangeMessage(*bad, false), kExitUsage);
  if (input.age < 0) throw CliError("The age cannot be negative", kExitUsage);
  user.age = input.age;
  user.sex = input.sex == "male" ? 0 : input.sex == "female" ? 1 : 2;

  UserData& users = context.Users();
  UserData::NewUserFiles found;
  const Status added = AddUser(users, context.Paths(), user, context.Now(), &found);
  if (!added) throw CliError(added.message());
  Json json = ToJson(user);
  if (!found.movedTo.empty()) SetPath(json, "movedAside", found.movedTo.string());
  return json;
}

Json DeleteUser(CliContext& context, const std::string& name) {
  const LocalUserRecord user = context.LoginUser(name);
  UserData& users = context.Users();
  switch (users.Delete(user.id)) {
    case UserData::kDeleted:
      return Json{{"deleted", ToJson(user)}};
    case UserData::kNotWritten:
    case UserData::kRefused:
      throw CliError("The user could not be deleted: " + users.LastError());
    default:
      throw CliError("No User Record");
  }
}

}  // namespace

void AddUserCommands(CLI::App& app, CliContext& context) {
  auto* list = app.add_subcommand("users", "List the local users (never their passwords)");
  auto csv = std::make_shared<bool>(false);
  list->add_flag("--csv", *csv, "Print CSV (RFC 4180, UTF-8, the JSON field names as header) instead of JSON");
  list->callback([&context, csv] {
    const Json users = ListUsers(context);
    if (*csv)
      context.PrintText(CsvWriter::Table(ToJson(LocalUserRecord{}), users));
    else
      context.Print(users);
  });

  auto* add = app.add_subcommand("add-user", "Create a local user and the user's empty data files");
  auto input = std::make_shared<NewUser>();
  add->add_option("--name", input->name, "The user's name (at most 30 characters)")->required();
  add->add_option("--height", input->height, "Height in cm (100 to 240)");
  add->add_option("--weight", input->weight, "Weight in kg (20 to 220)");
  add->add_option("--walking-stride", input->walkingStride, "Walking stride in cm (20 to 180)");
  add->add_option("--running-stride", input->runningStride, "Running stride in cm (20 to 180)");
  add->add_option("--age", input->age, "Age in years");
  add->add_option("--sex", input->sex, "male or female")->check(CLI::IsMember({"male", "female"}));
  add->callback([&context, input] { context.Print(AddNewUser(context, *input)); });

  auto* remove = app.add_subcommand("delete-user", "Delete a local user with the user's files and photo");
  auto name = std::make_shared<std::string>();
  remove->add_option("--name", *name, "The user's name")->required();
  remove->callback([&context, name] { context.Print(DeleteUser(context, *name)); });
}

}  // namespace tempovia::cli
