#pragma once
// The logged-in user's two files as the chart state reads them. Whoever
// implements it decides when a file is open and locked; the chart state only
// asks for an open file when it needs one and never keeps it.

#include <string>

#include "calendar/CalendarDays.h"

namespace tempovia {

class CExerciseDB;
class StepData;

class DashboardFiles : public CalendarDays {
 public:
  // A new action of the user: a file that failed to open is tried again and
  // its failure told again.
  virtual void NewAction() = 0;
  // The step file, open; nullptr when it cannot be opened (told once per
  // action, naming the file and the reason).
  virtual StepData* Steps() = 0;
  // The same without telling: why is the reason ("<path>: <reason>"), and the
  // failure counts as told for the rest of the action.
  virtual StepData* StepsQuietly(std::string& why) = 0;
  // Opens the exercise database into db (a failure is told once per action).
  virtual bool OpenExercises(CExerciseDB& db) = 0;
};

}  // namespace tempovia
