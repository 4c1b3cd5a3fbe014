#include "UserFiles.h"

namespace tempovia {

void UserFiles::SetPaths(std::filesystem::path stepFile, std::filesystem::path exerciseFile) {
  Release();
  m_stepPath = std::move(stepFile);
  m_exercisePath = std::move(exerciseFile);
}

StepData* UserFiles::Steps() {
  m_idleTicks = 0;
  if (m_steps.IsOpen()) return &m_steps;
  return m_steps.Open(m_stepPath) ? &m_steps : nullptr;
}

void UserFiles::Release() {
  m_steps.Close();
  m_idleTicks = 0;
}

void UserFiles::Tick() {
  if (m_steps.IsOpen() && ++m_idleTicks >= kIdleTicks) Release();
}

bool UserFiles::OpenExercises(CExerciseDB& db) const {
  return db.Open(m_exercisePath);
}

}  // namespace tempovia
