#pragma once
// Stand-ins for the window around the dashboard: a chart that keeps the
// picture it was last given, a view that keeps what was shown, and a step
// file filled by hand.

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "charts/ChartControl.h"
#include "dashboard/DashboardView.h"
#include "store/DayRecord.h"
#include "store/StoredExercise.h"

namespace tempovia {
// Readable pictures in failure messages.
void PrintTo(const ChartPicture& picture, std::ostream* out);
}  // namespace tempovia

namespace tempovia::test {

class RecordingChart final : public ChartControl {
 public:
  void Draw(const ChartPicture& picture) override {
    drawn = picture;
    ++draws;
  }

  ChartPicture drawn;  // the last picture
  int draws = 0;
};

// Keeps what the dashboard shows; View is DashboardView or a view that
// extends it.
template <class View>
class RecordingDashboardView : public View {
 public:
  void ShowKind(ChartKind kind) override { shownKind = kind; }
  void SetDateCaption(const std::string& text) override { caption = text; }
  void SetSummary(const SummaryTexts& texts) override { summary = texts; }
  void SetInfo(const InfoTexts& texts) override { info = texts; }
  void SetExerciseTable(const ExerciseTableTexts& cells) override { table = cells; }
  void SetNote(const std::string& utf8) override { note = utf8; }
  std::string Note() const override { return note; }
  bool AskWarning(const std::string& question) override {
    questions.push_back(question);
    return answer;
  }

  ChartKind shownKind = ChartKind::Steps;
  std::string caption;
  SummaryTexts summary;
  InfoTexts info;
  ExerciseTableTexts table{};
  std::string note;
  std::vector<std::string> questions;
  bool answer = false;  // to every question
};

using RecordingView = RecordingDashboardView<DashboardView>;

DayRecord DayOf(int year, int month, int day, double steps);
// Writes the records through the store, as downloads would have.
void FillStepFile(const std::filesystem::path& path, const std::vector<DayRecord>& days);
void FillExerciseFile(const std::filesystem::path& path, const std::vector<StoredExercise>& sessions);
std::vector<DayRecord> ReadStepFile(const std::filesystem::path& path);

}  // namespace tempovia::test
