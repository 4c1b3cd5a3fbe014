#pragma once
// The logged-in user's step data file and exercise database: when they are
// open and locked. Nothing else in the windows keeps them.
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
#include <optional>
#include <string>

#include "dashboard/DashboardFiles.h"
#include "store/ExerciseDB.h"
#include "store/StepData.h"

namespace tempovia {

class UserFiles final : public DashboardFiles {
 public:
  // Ticks of the main window's 50 ms timer without use before the step file
  // is closed.
  static constexpr int kIdleTicks = 20;

  // Paths of the user's files; an empty path when the stored name is not a
  // plain file name of the data folder (opening it then fails, saying so).
  void SetPaths(std::filesystem::path stepFile, std::filesystem::path exerciseFile);
  const std::filesystem::path& StepPath() const { return m_stepPath; }
  // The daily step goal the calendar marks the days of.
  void SetStepGoal(std::optional<int> goal) { m_goal = goal; }
  const std::filesystem::path& ExercisePath() const { return m_exercisePath; }

  void NewAction() override;
  StepData* Steps() override;
  StepData* StepsQuietly(std::string& why) override;
  // Closes the step file now.
  void Release();
  // One tick of the window's timer: closes a step file left unused.
  void Tick();
  // For tests of the idle close, which nothing else can see.
  bool StepsOpen() const { return m_steps.IsOpen(); }

  bool OpenExercises(CExerciseDB& db) override;

  // CalendarDays: read without telling anyone of a failure.
  DayMarks MarksOf(Date date) override;

 private:
  std::filesystem::path m_stepPath;
  std::optional<int> m_goal;
  std::filesystem::path m_exercisePath;
  StepData m_steps;
  int m_idleTicks = 0;
  bool m_stepsFailed = false;
  std::string m_stepsError;
  bool m_exercisesFailed = false;
};

}  // namespace tempovia
