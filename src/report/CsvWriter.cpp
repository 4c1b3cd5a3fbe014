#include "report/CsvWriter.h"

#include <cmath>

namespace tempovia {

using Json = nlohmann::ordered_json;

std::string CsvWriter::Field(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

std::string CsvWriter::Text(const Json& value) {
  if (value.is_null()) return {};
  if (value.is_string()) return value.get<std::string>();
  // NaN and the infinities (a foreign file's) are no number a spreadsheet
  // reads; JSON writes them as null, so the field is empty as for null.
  if (value.is_number_float() && !std::isfinite(value.get<double>())) return {};
  // JSON's own number text: shortest round trip, always a dot.
  return value.dump();
}

void CsvWriter::AddRow(const std::vector<std::string>& fields) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) m_text += ',';
    m_text += Field(fields[i]);
  }
  m_text += "\r\n";
}

std::string CsvWriter::Table(const Json& blank, const Json& rows) {
  CsvWriter csv;
  std::vector<std::string> names;
  for (const auto& [name, value] : blank.items()) names.push_back(name);
  csv.AddRow(names);
  std::vector<std::string> fields(names.size());
  for (const Json& row : rows) {
    for (std::size_t i = 0; i < names.size(); ++i) {
      const auto found = row.find(names[i]);
      fields[i] = found == row.end() ? std::string() : Text(*found);
    }
    csv.AddRow(fields);
  }
  return csv.Text();
}

}  // namespace tempovia
