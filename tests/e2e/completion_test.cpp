// The shell completions of tessaro-cli: bash's run through its completion
// function, as bash calls it, and zsh's option specs read; both offer
// exactly the console options of the option table.

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "frontend/option_table.h"
#include "tests/e2e/process.h"
#include "tests/support/temp_dir.h"

namespace tessaro::e2e {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

const std::string kCompletionDir = std::string(TESSARO_SOURCE_DIR) + "/packaging/completion";

std::set<std::string> ConsoleOptions() {
  std::set<std::string> options;
  for (const OptionRow& row : OptionTable()) {
    if (!Takes(ProgramKind::kConsole, row)) continue;
    for (const std::string& form : WrittenForms(row)) options.insert(form);
  }
  return options;
}

// COMPREPLY for the words (the last one the word being completed), in dir.
std::set<std::string> BashCompletes(const std::string& dir, const std::vector<std::string>& words) {
  std::vector<std::string> argv = {
      "bash", "-c",
      "source \"$1\" && cd \"$2\" && shift 2 && COMP_WORDS=(\"$@\") && COMP_CWORD=$(($# - 1)) && "
      "{ _tessaro_cli; printf '%s\\n' \"${COMPREPLY[@]}\"; }",
      "bash", kCompletionDir + "/tessaro-cli.bash", dir};
  argv.insert(argv.end(), words.begin(), words.end());
  const ProcessResult r = RunProgram(argv);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  std::set<std::string> replies;
  std::istringstream lines(r.out);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty()) replies.insert(line);
  }
  return replies;
}

TEST(Completion, BashOffersTheTableOptionsTheLanguagesAndTheFiles) {
  TempDir dir;
  for (const char* name : {"a.aac", "b.wav", "c.txt", "-x.aac"}) WriteFile(dir.File(name), "");
  std::filesystem::create_directory(testing::Utf8Path(dir.File("sub")));
  const std::string d = dir.Dir();
  using Set = std::set<std::string>;
  EXPECT_EQ(BashCompletes(d, {"tessaro-cli", "--l"}), Set{"--lang="});
  // "=" breaks words: "--lang=e" arrives as "--lang" "=" "e".
  EXPECT_EQ(BashCompletes(d, {"tessaro-cli", "--lang", "="}), (Set{"ja", "en"}));
  EXPECT_EQ(BashCompletes(d, {"tessaro-cli", "-s2", "--lang", "=", "e"}), Set{"en"});
  EXPECT_EQ(BashCompletes(d, {"tessaro-cli", "--lang=j"}), Set{"--lang=ja"});
  // Before "--" a file that begins with "-" is offered with its folder.
  EXPECT_EQ(BashCompletes(d, {"tessaro-cli", "a.aac", ""}), (Set{"./-x.aac", "a.aac", "b.wav", "sub"}));
  EXPECT_EQ(BashCompletes(d, {"tessaro-cli", "--batch", "--out-dir", ""}), Set{"sub"});
  // An option without a value: the files follow it.
  EXPECT_EQ(BashCompletes(d, {"tessaro-cli", "--for-editors", ""}),
            (Set{"./-x.aac", "a.aac", "b.wav", "sub"}));
  EXPECT_EQ(BashCompletes(d, {"tessaro-cli", "--", "-"}), (Set{"-", "-x.aac"}));  // a file after --

  // "-" (standard input or output) where the one-file forms take it.
  EXPECT_EQ(BashCompletes(d, {"tessaro-cli", "--check", "--", "-"}), Set{"-x.aac"});
  EXPECT_EQ(BashCompletes(d, {"tessaro-cli", "--batch", "-"}).count("-"), 0u);

  Set offered;
  for (const std::string& option : BashCompletes(d, {"tessaro-cli", "-"})) {
    if (option == "-") continue;
    if (option.ends_with("=")) {
      for (const std::string& value : BashCompletes(d, {"tessaro-cli", option.substr(0, option.size() - 1), "="})) {
        offered.insert(option + value);
      }
    } else {
      offered.insert(option);
    }
  }
  EXPECT_EQ(offered, ConsoleOptions());
  EXPECT_EQ(BashCompletes(d, {"tessaro-cli", "-"}).count("-"), 1u);
}

// zsh's _arguments specs: "-name[...]", "-name=[...]" or "-name=-[...]" (a
// value after "="), "-name-[...]" (a value joined), with the values of a
// choice as "(a b)"; -S makes "--" end the options.
TEST(Completion, ZshOffersTheTableOptions) {
  const std::string script = ReadFile(kCompletionDir + "/_tessaro-cli");
  const std::regex spec(R"('(?:\([^)]*\))?(--?[A-Za-z0-9][A-Za-z0-9-]*?)(=?)-?\[[^\]]*\](?::[^:']*:\(([^)]*)\))?)");
  std::set<std::string> offered;
  for (std::sregex_iterator it(script.begin(), script.end(), spec), end; it != end; ++it) {
    const std::string name = (*it)[1];
    const std::string choices = (*it)[3];
    if ((*it)[2].length() == 0 || choices.empty()) {
      offered.insert(name);
      continue;
    }
    std::istringstream values(choices);
    for (std::string value; values >> value;) offered.insert(name + "=" + value);
  }
  if (script.find("_arguments -s -S") != std::string::npos) offered.insert("--");
  EXPECT_EQ(offered, ConsoleOptions());
}

}  // namespace
}  // namespace tessaro::e2e
