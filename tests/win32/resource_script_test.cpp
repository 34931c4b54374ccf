// The resource script read as text, on any platform: what the Windows build
// alone would otherwise show, and only under wine.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace tessaro {
namespace {

struct Control {
  std::string text;
  std::string id;
};

// The shown labels and buttons of each main dialog template, in order.
std::vector<std::vector<Control>> MainDialogs(const std::string& script) {
  std::vector<std::vector<Control>> dialogs;
  std::istringstream lines(script);
  std::string line;
  bool inside = false;
  const std::regex control(R"(^\s*(LTEXT|CTEXT|RTEXT|PUSHBUTTON|DEFPUSHBUTTON)\s+\"([^\"]*)\",\s*(\w+))");
  while (std::getline(lines, line)) {
    if (line.rfind("IDD_TESSARO_DIALOG ", 0) == 0) {
      dialogs.emplace_back();
      inside = true;
    } else if (inside && line.rfind("END", 0) == 0) {
      inside = false;
    }
    std::smatch m;
    if (inside && std::regex_search(line, m, control) && line.find("NOT WS_VISIBLE") == std::string::npos) {
      dialogs.back().push_back({m[2], m[3]});
    }
  }
  return dialogs;
}

// Both languages have the same controls in the same order. Every shown label
// and button of the English main dialog has one access key, none used twice;
// the Japanese one keeps its captions as they are, without access keys.
TEST(ResourceScript, EnglishMainDialogHasDistinctAccessKeys) {
  std::ifstream in(TESSARO_RESOURCE_SCRIPT, std::ios::binary);
  ASSERT_TRUE(in) << TESSARO_RESOURCE_SCRIPT;
  std::stringstream script;
  script << in.rdbuf();
  const auto dialogs = MainDialogs(script.str());
  ASSERT_EQ(dialogs.size(), 2u);  // Japanese, English
  for (const auto& dialog : dialogs) {
    ASSERT_EQ(dialog.size(), dialogs.front().size());
    std::set<char> keys;
    for (size_t i = 0; i < dialog.size(); ++i) {
      EXPECT_EQ(dialog[i].id, dialogs.front()[i].id);
      const std::string& text = dialog[i].text;
      if (&dialog == &dialogs.front()) {
        EXPECT_EQ(text.find('&'), std::string::npos) << text;
        continue;
      }
      const size_t amp = text.find('&');
      ASSERT_TRUE(amp != std::string::npos && amp + 1 < text.size()) << text;
      EXPECT_EQ(text.find('&', amp + 1), std::string::npos) << text;
      EXPECT_TRUE(keys.insert(static_cast<char>(std::tolower(static_cast<unsigned char>(text[amp + 1])))).second)
          << text;
    }
  }
}

}  // namespace
}  // namespace tessaro
