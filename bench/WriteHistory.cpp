// write_history STEP_FILE EXERCISE_FILE: fills a user's two files with the
// benchmarks' 30-year history (for timing the real program on it).
#include <cstdio>

#include "LongHistory.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: write_history STEP_FILE EXERCISE_FILE\n");
    return 2;
  }
  tempovia::bench::WriteRecords(argv[1], tempovia::bench::AllDays());
  tempovia::bench::WriteRecords(argv[2], tempovia::bench::AllSessions());
  return 0;
}
