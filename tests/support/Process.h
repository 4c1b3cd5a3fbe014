#pragma once
// Runs a program for a test and collects what it wrote.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tempovia::test {

struct ProcessResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// What the program runs under, beyond our own environment.
struct ProcessLimits {
  // The largest file the program may write (RLIMIT_FSIZE); 0: no limit.
  std::uint64_t fileSizeLimit = 0;
  // Run as this user and group instead (only root may ask); -1: as we are.
  int uid = -1;
  int gid = -1;
  // Variables of our environment the program does not get.
  std::vector<std::string> unset = {};
};

// Runs program with arguments (no shell involved), with extra environment
// variables (and without those limits.unset names), and standard input from
// /dev/null. A program that could not be
// started at all exits with 127.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::map<std::string, std::string>& environment = {}, const ProcessLimits& limits = {});

// Runs check in a child process that is ended after the given seconds, so a
// test of something that used to block forever fails instead of hanging.
// True when check returned true in time.
bool InChildWithin(int seconds, const std::function<bool()>& check);

}  // namespace tempovia::test
