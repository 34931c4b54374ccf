// The options of both programs and what each sets.
#include "frontend/option_table.h"

#include "frontend/command_tokens.h"
#include "naming/delay_tag.h"

namespace tessaro {
namespace {

using Args = CommandArguments;

void Info(Args& a, InfoRequest info) {
  if (a.info == InfoRequest::kNone) a.info = info;
}

constexpr std::string_view kLanguages[] = {"ja", "en"};

constexpr OptionRow kRows[] = {
    {"-s1", OptionValue::kNone, OptionUse::kBoth,
     [](Args& a, std::string_view) { a.conversion.outputSize = 0; }},
    {"-s2", OptionValue::kNone, OptionUse::kBoth,
     [](Args& a, std::string_view) { a.conversion.outputSize = 1; }},
    {"-d", OptionValue::kJoinedInteger, OptionUse::kBoth,
     [](Args& a, std::string_view ms) { a.conversion.delayMs = ReadDelayNumber(ms); },
     Failure::kDelayWithoutNumber},
    {"--for-editors", OptionValue::kNone, OptionUse::kBoth,
     [](Args& a, std::string_view) { a.conversion.forEditors = true; }},
    {"--batch", OptionValue::kNone, OptionUse::kConsoleOnly,
     [](Args& a, std::string_view) { a.batch = true; }},
    {"--out-dir", OptionValue::kFolder, OptionUse::kConsoleOnly,
     [](Args& a, std::string_view folder) { a.outDir = std::string(folder); },
     Failure::kOutDirWithoutFolder},
    {"--check", OptionValue::kNone, OptionUse::kConsoleOnly,
     [](Args& a, std::string_view) { a.check = true; }},
    {"--json", OptionValue::kNone, OptionUse::kConsoleOnly,
     [](Args& a, std::string_view) { a.json = true; }},
    {"--lang=", OptionValue::kChoice, OptionUse::kBoth,
     [](Args& a, std::string_view language) {
       a.language = language == "ja" ? Language::kJapanese : Language::kEnglish;
     },
     Failure::kUnknownLanguage, kLanguages},
    {"-h", OptionValue::kNone, OptionUse::kBoth,
     [](Args& a, std::string_view) { Info(a, InfoRequest::kHelp); }},
    {"--help", OptionValue::kNone, OptionUse::kBoth,
     [](Args& a, std::string_view) { Info(a, InfoRequest::kHelp); }},
    {"-V", OptionValue::kNone, OptionUse::kBoth,
     [](Args& a, std::string_view) { Info(a, InfoRequest::kVersion); }},
    {"--version", OptionValue::kNone, OptionUse::kBoth,
     [](Args& a, std::string_view) { Info(a, InfoRequest::kVersion); }},
    {"--", OptionValue::kNone, OptionUse::kBoth,
     [](Args& a, std::string_view) { a.optionsEnded = true; }},
};

bool IsWholeNumber(std::string_view text) {
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

bool WrittenAs(std::string_view token, const OptionRow& row) {
  if (!token.starts_with(row.name)) return false;
  const std::string_view rest = token.substr(row.name.size());
  switch (row.value) {
    case OptionValue::kNone: return rest.empty();
    case OptionValue::kJoinedInteger:
      return rest.empty() || std::string_view("+-0123456789 \t").find(rest.front()) != std::string_view::npos;
    case OptionValue::kChoice: return true;
    case OptionValue::kFolder: return rest.empty() || rest.front() == '=';
  }
  return false;
}

}  // namespace

std::span<const OptionRow> OptionTable() { return kRows; }

const OptionRow* FindOption(std::string_view token) {
  for (const OptionRow& row : kRows) {
    if (WrittenAs(token, row)) return &row;
  }
  return nullptr;
}

bool TakesValue(const OptionRow& row, std::string_view value) {
  switch (row.value) {
    case OptionValue::kNone: return value.empty();
    case OptionValue::kJoinedInteger: return IsWholeNumber(value);
    case OptionValue::kChoice:
      for (const std::string_view choice : row.choices) {
        if (value == choice) return true;
      }
      return false;
    case OptionValue::kFolder: return !value.empty();
  }
  return false;
}

std::vector<std::string> WrittenForms(const OptionRow& row) {
  if (row.value != OptionValue::kChoice) return {std::string(row.name)};
  std::vector<std::string> forms;
  for (const std::string_view choice : row.choices) forms.push_back(std::string(row.name) + std::string(choice));
  return forms;
}

}  // namespace tessaro
