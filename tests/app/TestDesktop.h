#pragma once
// The program's own desktop with a few of its dialogs answered by the test:
// the upload choices, the folder chooser, the HELP menu, opening a document
// and the report options (filled in as a person would). The rest (message
// boxes through the installed ones, the calendar, the editor) are the real
// ones.

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "app/QtDesktop.h"
#include "report/widgets/DlgPrint.h"

namespace tempovia::test {

class TestDesktop final : public QtDesktop {
 public:
  using QtDesktop::QtDesktop;

  bool AskUploadChoices(DownloadChoices& choices) override {
    offered.push_back(choices);
    if (!upload) return false;
    choices = *upload;
    return true;
  }
  std::filesystem::path ChooseFolder(const std::string& title) override {
    folderTitles.push_back(title);
    return folder;
  }
  HelpChoice RunHelpMenu(int x, int y) override {
    helpAt.emplace_back(x, y);
    return help;
  }
  bool OpenDocument(const std::filesystem::path& path) override {
    opened.push_back(path);
    return true;
  }

  std::optional<DownloadChoices> upload = DownloadChoices{false, true};  // nothing: Cancel
  std::vector<DownloadChoices> offered;
  std::filesystem::path folder;
  std::vector<std::string> folderTitles;
  HelpChoice help = HelpChoice::None;
  std::vector<std::pair<int, int>> helpAt;
  std::vector<std::filesystem::path> opened;
  // Fills the report options dialog and ends it; nothing: Cancel.
  std::function<int(CDlgPrint&)> reportOptions;
  int reportDialogs = 0;

 protected:
  int RunReportOptions(CDlgPrint& dialog) override {
    ++reportDialogs;
    return reportOptions ? reportOptions(dialog) : CDlgPrint::kCancel;
  }
};

}  // namespace tempovia::test
