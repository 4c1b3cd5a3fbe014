#pragma once
// The main window as the dashboard sees it: the places where results show.
// The window implements it by setting its labels and pictures; tests record
// what was shown.

#include <string>

#include "dashboard/DashboardTexts.h"
#include "skin/ChartKind.h"

namespace tempovia {

class DashboardView {
 public:
  virtual ~DashboardView() = default;

  // The kind's background picture and no other; the exercise table's cells
  // only for the exercise kind; the version label's colours again.
  virtual void ShowKind(ChartKind kind) = 0;
  virtual void SetDateCaption(const std::string& text) = 0;
  virtual void SetSummary(const SummaryTexts& texts) = 0;
  virtual void SetInfo(const InfoTexts& texts) = 0;
  virtual void SetExerciseTable(const ExerciseTableTexts& cells) = 0;
  // Text the program puts into the note field: never counts as an edit.
  virtual void SetNote(const std::string& utf8) = 0;
  // The note field's text, lines ended by LF.
  virtual std::string Note() const = 0;
  // A Yes/No question with a warning icon; true for Yes.
  virtual bool AskWarning(const std::string& question) = 0;
};

}  // namespace tempovia
