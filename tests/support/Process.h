#pragma once
// Runs a program for a test and collects what it wrote.

#include <map>
#include <string>
#include <vector>

namespace tempovia::test {

struct ProcessResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs program with arguments (no shell involved), with extra environment
// variables, and standard input from /dev/null.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::map<std::string, std::string>& environment = {});

}  // namespace tempovia::test
