#pragma once
// The logged-in user's step data file and exercise database, as the
// dashboard reads them.
//
// Every chart and summary reads the step file. Opening a 30-year file costs
// about half a millisecond, and stepping through periods with a held arrow
// reads it twice per step, so it is kept open while it is in use and closed
// after a second without use (or at once, before anything else in the
// program opens it: the file is held exclusively while open). Nobody else
// keeps it: the calendar asks here for every day it paints. The exercise
// database is read whole for the table and opened for each use.
//
// A file that will not open is told once per action of the user (NewAction
// starts one): the reads of one click all fail quietly after the first.

#include <filesystem>
#include <string>

#include "CalendarDays.h"
#include "ExerciseDB.h"
#include "StepData.h"

namespace tempovia {

class UserFiles final : public CalendarDays {
 public:
  // Ticks of the main window's 50 ms timer without use before the step file
  // is closed.
  static constexpr int kIdleTicks = 20;

  // Paths of the user's files; an empty path when the stored name is not a
  // plain file name of the data folder (opening it then fails, saying so).
  void SetPaths(std::filesystem::path stepFile, std::filesystem::path exerciseFile);
  const std::filesystem::path& StepPath() const { return m_stepPath; }
  const std::filesystem::path& ExercisePath() const { return m_exercisePath; }

  // A new action of the user: a file that failed to open is tried again and
  // its failure told again.
  void NewAction();
  // The step file, open; nullptr when it cannot be opened (told once per
  // action, naming the file and the reason).
  StepData* Steps();
  // The same without telling: why is the reason ("<path>: <reason>"), and
  // the failure counts as told for the rest of the action.
  StepData* StepsQuietly(std::string& why);
  // Closes the step file now.
  void Release();
  // One tick of the window's timer: closes a step file left unused.
  void Tick();
  bool StepsOpen() const { return m_steps.IsOpen(); }

  // Opens the exercise database into db (a failure is told once per action).
  bool OpenExercises(CExerciseDB& db);

  // CalendarDays: read without telling anyone of a failure.
  DayMarks MarksOf(Date date) override;

 private:
  std::filesystem::path m_stepPath;
  std::filesystem::path m_exercisePath;
  StepData m_steps;
  int m_idleTicks = 0;
  bool m_stepsFailed = false;
  std::string m_stepsError;
  bool m_exercisesFailed = false;
};

}  // namespace tempovia
