// The shared command-line texts: complete in both languages, and the
// dialog program's help as narrow as a terminal.
#include "frontend/frontend_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/help_width.h"
#include "tests/support/text_tables.h"

namespace tessaro {
namespace {

std::vector<const char*> Members(const FrontEndTexts& t) {
  static_assert(sizeof(FrontEndTexts) == 16 * sizeof(const char*));  // every member listed
  return {t.stopped.c_str(),           t.outputNotWritten.c_str(),   t.errorNotWritten.c_str(),
          t.runSummary.c_str(),        t.outputIsAnInput.c_str(),
          t.outputWrittenBefore.c_str(), t.unknownOption.c_str(),    t.delayWithoutNumber.c_str(),
          t.unknownLanguage.c_str(),   t.dashAlone.c_str(),          t.noInputFiles.c_str(),
          t.consoleOnlyOption.c_str(), t.dialogTooManyPaths.c_str(), t.dialogUsage.c_str(),
          t.dialogOpenForm.c_str(),    t.dialogHelp.c_str()};
}

TEST(FrontEndTexts, BothLanguagesCompleteEnglishInAsciiAndTheHelpFitsATerminal) {
  testing::ExpectTablePair(Members(FrontEndTextsFor(Language::kJapanese)),
                           Members(FrontEndTextsFor(Language::kEnglish)));
  for (const Language language : {Language::kJapanese, Language::kEnglish}) {
    const FrontEndTexts& t = FrontEndTextsFor(language);
    testing::ExpectLinesFit(std::string(t.dialogUsage) + t.dialogOpenForm.c_str() +
                            t.dialogHelp.c_str());
  }
}

}  // namespace
}  // namespace tessaro
