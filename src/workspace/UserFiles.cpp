#include "workspace/UserFiles.h"

#include "base/Notice.h"

namespace tempovia {

void UserFiles::SetPaths(std::filesystem::path stepFile, std::filesystem::path exerciseFile) {
  Release();
  m_stepPath = std::move(stepFile);
  m_exercisePath = std::move(exerciseFile);
  NewAction();
}

void UserFiles::NewAction() {
  m_stepsFailed = false;
  m_exercisesFailed = false;
}

StepData* UserFiles::Steps() {
  std::string why;
  const bool told = m_stepsFailed;
  StepData* steps = StepsQuietly(why);
  if (steps == nullptr && !told) ShowNotice(NoticeIcon::Warning, m_steps.OpenFailedText(why));
  return steps;
}

StepData* UserFiles::StepsQuietly(std::string& why) {
  m_idleTicks = 0;
  if (m_steps.IsOpen()) return &m_steps;
  if (!m_stepsFailed) {
    const Status opened = m_steps.TryOpen(m_stepPath);
    if (opened) return &m_steps;
    m_stepsFailed = true;
    m_stepsError = opened.message();
  }
  why = m_stepsError;
  return nullptr;
}

void UserFiles::Release() {
  m_steps.Close();
  m_idleTicks = 0;
}

void UserFiles::Tick() {
  if (m_steps.IsOpen() && ++m_idleTicks >= kIdleTicks) Release();
}

bool UserFiles::OpenExercises(CExerciseDB& db) {
  if (m_exercisesFailed) return false;
  if (const Status opened = db.TryOpen(m_exercisePath); !opened) {
    m_exercisesFailed = true;
    ShowNotice(NoticeIcon::Warning, db.OpenFailedText(opened.message()));
    return false;
  }
  return true;
}

DayMarks UserFiles::MarksOf(Date date) {
  m_idleTicks = 0;
  if (!m_steps.IsOpen() && !m_steps.TryOpen(m_stepPath).ok()) return {};
  DayRecord record;
  return m_steps.FindByDate(date, record) ? MarksOfRecord(record, m_goal) : DayMarks{};
}

}  // namespace tempovia
