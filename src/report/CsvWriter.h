#pragma once
// Comma-separated text (RFC 4180) for spreadsheets and other programs: CRLF
// after every row; a field holding a comma, a quote or a line break is put in
// quotes, its quotes doubled; UTF-8 passes through untouched. Values come as
// the tool's JSON output has them, so a listing reads the same in both forms and a
// number keeps its dot whatever the locale.

#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

namespace tempovia {

class CsvWriter {
 public:
  void AddRow(const std::vector<std::string>& fields);
  const std::string& Text() const { return m_text; }

  // One field, quoted when it must be.
  static std::string Field(std::string_view text);
  // A JSON value as field text: a string as it is, a number as JSON writes it,
  // true or false, and nothing for null, NaN or an infinity.
  static std::string Text(const nlohmann::ordered_json& value);

  // A header row with the field names of blank (an object), then a row for
  // every object of rows with its values of those fields.
  static std::string Table(const nlohmann::ordered_json& blank, const nlohmann::ordered_json& rows);

 private:
  std::string m_text;
};

}  // namespace tempovia
