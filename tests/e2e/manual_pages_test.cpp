// The manual pages, English and Japanese, as installed: each page's EXIT
// STATUS lists exactly the statuses its program gives for a good, a
// damaged, a failing and a usage-error run, and the NAME lines that whatis
// reads carry nothing but text.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

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
    std::vector<int> listedStatuses, givenStatuses;
    for (const auto& [status, text] : listed) listedStatuses.push_back(status);
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

}  // namespace
}  // namespace tessaro::e2e
