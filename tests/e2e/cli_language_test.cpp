// The console program's language: Japanese byte for byte under Japanese, C
// and unset locales, English under any other, --lang= over both.

#include <gtest/gtest.h>

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

class CliLanguage : public ::testing::Test {
 protected:
  CliLanguage() {
    aac_ = CopySample(dir_, "tone48k_stereo.aac", "a.aac");
    std::string bytes = ReadFile(kSamples + "/tone48k_stereo.aac");
    bytes.insert(bytes.size() / 2, "garbage!");
    WriteFile(dir_.File("damaged.aac"), bytes);
  }

  // Every kind of text the program writes: a report, a damage report on
  // standard error, a failure, the usage, a check with its summary, a JSON
  // line (its keys and words stay, its message follows the language), help.
  std::vector<std::vector<std::string>> Runs() const {
    return {{aac_},
            {dir_.File("damaged.aac")},
            {dir_.File("missing.aac")},
            {"-s2"},
            {"--batch", "--out-dir"},
            {"--check", aac_, dir_.File("damaged.aac"), dir_.File("missing.wav")},
            {"--json", dir_.File("missing.aac")},
            {"--help"}};
  }

  // All runs' exit statuses, standard output and error, in one text.
  std::string RunAll(const std::vector<std::string>& locale,
                     const std::vector<std::string>& extra = {}) const {
    std::string all;
    for (const std::vector<std::string>& run : Runs()) {
      std::vector<std::string> argv = {kCli};
      argv.insert(argv.end(), extra.begin(), extra.end());
      argv.insert(argv.end(), run.begin(), run.end());
      const ProcessResult r = RunProgram(argv, locale);
      all += std::to_string(r.exitCode) + "|" + r.out + "|" + r.err + "\n";
    }
    // The folder's name is not the program's text (and not ASCII).
    for (size_t at = 0; (at = all.find(dir_.Dir(), at)) != std::string::npos;) {
      all.replace(at, dir_.Dir().size(), "DIR/");
    }
    return all;
  }

  TempDir dir_;
  std::string aac_;
};

TEST_F(CliLanguage, JapaneseUnlessTheLocaleOrLangAsksForEnglish) {
  const std::string japanese = RunAll(kDefaultLocale);  // C.UTF-8
  ASSERT_NE(japanese.find("入力サイズ：99,396 Bytes, "), std::string::npos) << japanese;
  const std::string english = RunAll({"LANG=en_US.UTF-8"});
  ASSERT_NE(english.find("Input size: 99,396 bytes, Sample rate: 48000 Hz, Channel configuration: 2, "
                         "Delay: 0 ms\nOutput size: 1,159,212 bytes, Duration: 00:00:06.04\n"),
            std::string::npos)
      << english;
  EXPECT_NE(english.find("|Warning: This AAC file is damaged.\nThe audio may be badly out of sync."
                         "\n\nPositions of damaged data (1):\n  Time: "),
            std::string::npos)
      << english;
  EXPECT_NE(english.find("\nFiles: 3 (OK: 1, damaged: 1, failed: 1)\n"), std::string::npos) << english;
  for (const char c : english) {
    ASSERT_LT(static_cast<unsigned char>(c), 0x80) << english;
  }
  struct Case {
    std::vector<std::string> locale;
    std::vector<std::string> extra;
    const std::string& expected;
  } const cases[] = {
      {{}, {}, japanese},  // no language variable at all
      {{"LANG=ja_JP.UTF-8"}, {}, japanese},
      {{"LANG=C"}, {}, japanese},
      {{"LC_ALL=POSIX", "LANG=en_US.UTF-8"}, {}, japanese},
      {{"LANGUAGE=ja:en", "LANG=en_US.UTF-8"}, {}, japanese},
      {{"LANG=en_US.UTF-8"}, {"--lang=ja"}, japanese},
      {{"LANGUAGE=de", "LANG=ja_JP.UTF-8"}, {}, english},
      // LANGUAGE counts only where the locale is not C or POSIX, as for gettext.
      {{"LANGUAGE=en_US:en", "LC_ALL=C"}, {}, japanese},
      {{"LANGUAGE=de"}, {}, japanese},
      {{"LC_MESSAGES=fr_FR.UTF-8", "LANG=ja_JP.UTF-8"}, {}, english},
      {{"LANG=ja_JP.UTF-8"}, {"--lang=en"}, english},
      {{}, {"--lang=ja", "--lang=en"}, english},  // the last one counts
  };
  for (const Case& c : cases) {
    SCOPED_TRACE((c.locale.empty() ? "(none)" : c.locale[0]) +
                 (c.extra.empty() ? "" : " " + c.extra.back()));
    EXPECT_EQ(RunAll(c.locale, c.extra), c.expected);
  }
}

}  // namespace
}  // namespace tessaro::e2e
