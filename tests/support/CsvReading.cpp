#include "CsvReading.h"

#include <gtest/gtest.h>

#include <charconv>

namespace tempovia::test {

CsvRows ReadCsv(const std::string& text) {
  CsvRows rows;
  std::vector<std::string> row;
  std::string field;
  bool quoted = false;      // inside a quoted field
  bool wasQuoted = false;   // the field was quoted and has closed
  bool rowStarted = false;  // a field has begun since the last row ended
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c != '"') {
        field += c;
      } else if (i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else {
        quoted = false;
        wasQuoted = true;
      }
      continue;
    }
    if (c == ',' || c == '\r') {
      row.push_back(field);
      field.clear();
      wasQuoted = false;
      rowStarted = c == ',';
      if (c == '\r') {
        if (i + 1 >= text.size() || text[i + 1] != '\n') {
          ADD_FAILURE() << "a CR without LF at byte " << i;
          return rows;
        }
        ++i;
        rows.push_back(row);
        row.clear();
      }
      continue;
    }
    if (c == '\n') {
      ADD_FAILURE() << "a line ends without CR at byte " << i;
      return rows;
    }
    if (c == '"' && field.empty() && !wasQuoted) {
      quoted = true;
      rowStarted = true;
      continue;
    }
    if (c == '"' || wasQuoted) {
      ADD_FAILURE() << "a stray quote at byte " << i;
      return rows;
    }
    field += c;
    rowStarted = true;
  }
  if (quoted || rowStarted || !row.empty()) ADD_FAILURE() << "the last row does not end in CRLF";
  return rows;
}

void ExpectCsvMatchesJson(const std::string& csv, const nlohmann::ordered_json& list,
                          const std::vector<std::string>& names) {
  const CsvRows rows = ReadCsv(csv);
  ASSERT_EQ(rows.size(), list.size() + 1) << csv;
  EXPECT_EQ(rows[0], names);
  for (std::size_t r = 0; r < list.size(); ++r) {
    const nlohmann::ordered_json& object = list[r];
    const std::vector<std::string>& row = rows[r + 1];
    ASSERT_EQ(row.size(), names.size()) << "row " << r;
    std::size_t column = 0;
    for (const auto& [name, value] : object.items()) {
      ASSERT_LT(column, names.size());
      EXPECT_EQ(name, names[column]);
      const std::string& field = row[column++];
      SCOPED_TRACE("row " + std::to_string(r) + ", " + name + " = \"" + field + "\"");
      if (value.is_string()) {
        EXPECT_EQ(field, value.get<std::string>());
      } else if (value.is_boolean()) {
        EXPECT_EQ(field, value.get<bool>() ? "true" : "false");
      } else if (value.is_null()) {
        EXPECT_EQ(field, "");
      } else if (value.is_number_integer()) {
        EXPECT_EQ(field, std::to_string(value.get<long long>()));
      } else {
        ASSERT_TRUE(value.is_number_float());
        EXPECT_EQ(field.find_first_not_of("0123456789.-+e"), std::string::npos);
        double read = 0;
        const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), read);
        EXPECT_TRUE(error == std::errc() && end == field.data() + field.size());
        EXPECT_EQ(read, value.get<double>());
      }
    }
  }
}

}  // namespace tempovia::test
