#pragma once
// Reading back the CSV the program and the tool write, to check it in tests.

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace tempovia::test {

using CsvRows = std::vector<std::vector<std::string>>;

// A strict reader of RFC 4180 text, written apart from the program's writer:
// every row ends in CRLF; a quoted field may hold commas, line breaks and
// doubled quotes; anything else fails the test.
CsvRows ReadCsv(const std::string& text);

// Checks CSV text against the JSON objects of the same rows: the header holds
// the names in order, and every field reads back as the JSON value (numbers
// with a dot, exactly; null as nothing).
void ExpectCsvMatchesJson(const std::string& csv, const nlohmann::ordered_json& list,
                          const std::vector<std::string>& names);

}  // namespace tempovia::test
