// The manual pages, English and Japanese, as installed: each page's EXIT
// STATUS lists exactly the statuses its program gives for a good, a
// damaged, a failing and a usage-error run, and the statuses of its stops,
// the NAME lines that whatis reads carry nothing but
// text, the console program's options are those its reader knows, and the
// buttons the documents name are those of the window.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "frontend/option_table.h"
#include "tests/e2e/e2e_inputs.h"
#include "tests/e2e/process.h"
#include "tests/support/temp_dir.h"

namespace tessaro::e2e {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// From ".SH title" to the next section.
std::string Section(const std::string& page, const std::string& title) {
  const std::string head = ".SH " + title + "\n";
  const size_t start = page.find(head);
  if (start == std::string::npos) return {};
  const size_t end = page.find("\n.SH ", start + head.size());
  return page.substr(start + head.size(),
                     end == std::string::npos ? std::string::npos : end - start - head.size() + 1);
}

// ".TP" / ".B n" / text... : each listed status with its text.
std::map<int, std::string> ListedStatuses(const std::string& section) {
  std::map<int, std::string> listed;
  std::istringstream lines(section);
  std::string line;
  int* current = nullptr;
  int status = 0;
  bool afterTp = false;
  while (std::getline(lines, line)) {
    if (afterTp && line.rfind(".B ", 0) == 0) {
      status = std::stoi(line.substr(3));
      listed[status];
      current = &status;
    } else if (line.rfind(".TP", 0) == 0 || line.rfind(".PP", 0) == 0) {
      current = nullptr;
    } else if (current != nullptr) {
      listed[*current] += line + "\n";
    }
    afterTp = line.rfind(".TP", 0) == 0;
  }
  return listed;
}

struct Page {
  std::string path;
  std::string program;  // kCli, or the dialog program
  std::string exitStatusTitle;
  std::string nameTitle;
  std::string usageWord;  // what the usage-error status's text must say
};

TEST(ManualPages, ExitStatusesAreThoseTheProgramsGive) {
  TempDir dir;
  const std::string good = CopySample(dir, "tone48k_stereo.aac", "good.aac");
  std::string bytes = ReadFile(kSamples + "/tone48k_stereo.aac");
  bytes.insert(bytes.size() / 2, "garbage!");
  const std::string damaged = dir.File("damaged.aac");
  WriteFile(damaged, bytes);
  const std::vector<std::vector<std::string>> runs = {
      {good}, {damaged}, {dir.File("missing.aac")}, {"-s2"}};  // the last: options, no input

  std::vector<Page> pages;
  for (const char* program : {"tessaro-cli", "tessaro"}) {
    std::string path = program == std::string("tessaro-cli") ? kCli : "";
#ifdef TESSARO_DIALOG_PATH
    if (path.empty()) {
      // From a copy in the test folder, its data folder, without a countdown.
      path = dir.File("tessaro");
      std::filesystem::copy_file(TESSARO_DIALOG_PATH, path);
      WriteFile(dir.File("TSR.ini"), "ETime=0\n");
    }
#endif
    if (path.empty()) continue;
    const std::string page = std::string(TESSARO_MAN_DIR) + "/";
    pages.push_back({page + program + ".1", path, "EXIT STATUS", "NAME", "usage"});
    pages.push_back({page + "ja/" + program + ".1", path, "終了コード", "名前", "使い方"});
  }

  std::map<std::string, std::map<int, int>> seen;  // program -> status -> run
  for (const Page& p : pages) {
    if (seen.count(p.program)) continue;
    for (size_t i = 0; i < runs.size(); ++i) {
      std::vector<std::string> argv = {p.program};
      argv.insert(argv.end(), runs[i].begin(), runs[i].end());
      const ProcessResult r = RunProgram(argv, {"LANG=C.UTF-8", "QT_QPA_PLATFORM=offscreen"});
      seen[p.program][r.exitCode] = static_cast<int>(i);
    }
  }
  for (const Page& p : pages) {
    SCOPED_TRACE(p.path);
    const std::string page = ReadFile(p.path);
    const std::map<int, std::string> listed = ListedStatuses(Section(page, p.exitStatusTitle));
    std::vector<int> listedStatuses, givenStatuses, stopStatuses;
    for (const auto& [status, text] : listed) {
      (status > 128 ? stopStatuses : listedStatuses).push_back(status);
    }
    EXPECT_EQ(stopStatuses, (std::vector<int>{129, 130, 143}));
    for (const auto& [status, run] : seen[p.program]) givenStatuses.push_back(status);
    EXPECT_EQ(listedStatuses, givenStatuses);
    for (const auto& [status, run] : seen[p.program]) {
      if (run == 3) {
        EXPECT_NE(listed.count(status) ? listed.at(status).find(p.usageWord) : std::string::npos,
                  std::string::npos)
            << "status " << status << " does not say it is a usage error";
      }
    }
    // whatis shows the NAME line as it stands: no escapes but "\-".
    std::string name = Section(page, p.nameTitle);
    for (size_t at = 0; (at = name.find("\\-")) != std::string::npos;) name.erase(at, 2);
    EXPECT_EQ(name.find('\\'), std::string::npos) << name;
  }
}

// Every option heading of the console program's OPTIONS section (".TP" and
// the line after it), "\-" read as "-".
std::set<std::string> ListedOptions(const std::string& section) {
  std::set<std::string> options;
  std::istringstream lines(section);
  std::string line;
  bool afterTp = false;
  const std::regex option("(^|[ \"])(--?[A-Za-z0-9][A-Za-z0-9=-]*|--)(?=[ \"]|$)");
  while (std::getline(lines, line)) {
    if (afterTp) {
      for (size_t at = 0; (at = line.find("\\-", at)) != std::string::npos;) line.erase(at, 1);
      for (std::sregex_iterator it(line.begin(), line.end(), option), end; it != end; ++it) {
        options.insert((*it)[2]);
      }
    }
    afterTp = line.rfind(".TP", 0) == 0;
  }
  return options;
}

TEST(ManualPages, TheConsoleOptionsAreThoseTheReaderKnows) {
  std::set<std::string> known;
  for (const OptionRow& row : OptionTable()) {
    if (Takes(ProgramKind::kConsole, row)) {
      for (const std::string& form : WrittenForms(row)) known.insert(form);
    }
  }
  for (const std::string title : {"OPTIONS", "オプション"}) {
    const std::string path = std::string(TESSARO_MAN_DIR) + (title == "OPTIONS" ? "/" : "/ja/") +
                             "tessaro-cli.1";
    SCOPED_TRACE(path);
    EXPECT_EQ(ListedOptions(Section(ReadFile(path), title)), known);
  }
}

// The texts of the window's buttons and labels in the resource script, "&"
// taken out: the Japanese ones, then the English ones.
std::pair<std::set<std::string>, std::set<std::string>> WindowTexts() {
  const std::string script = ReadFile(std::string(TESSARO_SOURCE_DIR) + "/res/tessaro.rc");
  const size_t english = script.find("LANGUAGE LANG_ENGLISH");
  const std::regex control("(PUSHBUTTON|LTEXT|CTEXT)\\s+\"([^\"]*)\"");
  std::set<std::string> ja, en;
  for (std::sregex_iterator it(script.begin(), script.end(), control), end; it != end; ++it) {
    std::string text = (*it)[2];
    std::erase(text, '&');
    (static_cast<size_t>(it->position()) < english ? ja : en).insert(text);
  }
  return {ja, en};
}

TEST(Documents, NameTheButtonsAsTheWindowDoes) {
  const auto [ja, en] = WindowTexts();
  ASSERT_TRUE(en.count("Convert") && ja.count("変換"));
  // A name may leave out the "…" that says a button opens a dialog.
  const auto shown = [](const std::set<std::string>& texts, const std::string& name) {
    return texts.count(name) > 0 || texts.count(name + "…") > 0;
  };
  const std::string readme = ReadFile(std::string(TESSARO_SOURCE_DIR) + "/res/readme-windows.txt");
  const std::regex englishName("(press|with) \"([^\"]+)\"");
  const std::regex japaneseName("「([^」]+)」(で|を押)");
  int names = 0;
  for (std::sregex_iterator it(readme.begin(), readme.end(), englishName), end; it != end; ++it, ++names) {
    EXPECT_TRUE(shown(en, (*it)[2])) << (*it)[2];
  }
  const std::string jaPage = ReadFile(std::string(TESSARO_MAN_DIR) + "/ja/tessaro.1");
  for (const std::string* text : {&readme, &jaPage}) {
    for (std::sregex_iterator it(text->begin(), text->end(), japaneseName), end; it != end; ++it, ++names) {
      EXPECT_TRUE(shown(ja, (*it)[1])) << (*it)[1];
    }
  }
  EXPECT_GE(names, 4);
}

}  // namespace
}  // namespace tessaro::e2e
