// The engine's text tables: complete in both languages, English in ASCII.
#include "engine/engine_texts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "engine/failure.h"
#include "tests/support/text_tables.h"

namespace tessaro {
namespace {

std::vector<const char*> Members(const EngineTexts& t) {
  // Every member below: a member added to the table without a line here
  // changes the size and stops this test from compiling.
  static_assert(sizeof(EngineTexts) == 30 * sizeof(const char*));
  return {t.inputSize.c_str(),          t.outputSize.c_str(),       t.timeLinePrefix.c_str(),
          t.samplingLineWav.c_str(),    t.samplingLineAac.c_str(),  t.moreMismatches.c_str(),
          t.inputNotOpenable.c_str(),   t.outputNotOpenable.c_str(), t.inputBroken.c_str(),
          t.inputBrokenChunk.c_str(),   t.notWav.c_str(),           t.badInputName.c_str(),
          t.readFailed.c_str(),         t.writeFailed.c_str(),      t.delayTooLarge.c_str(),
          t.unexpected.c_str(),         t.damageReportHead.c_str(), t.damageReportCount.c_str(),
          t.anomalyEntryPrefix.c_str(), t.noFrameFound.c_str(),      t.outputIsAac.c_str(),
          t.outputIsWav.c_str(),        t.outputIsTheInput.c_str(), t.outputNotARegularFile.c_str(),
          t.outputNotWritable.c_str(),  t.noIntactFrame.c_str(),     t.outputLinkInSharedFolder.c_str(),
          t.delayInNameTooLarge.c_str(), t.outputFileOfAnotherUser.c_str(), t.editorsOption.c_str()};
}

TEST(EngineTexts, BothLanguagesCompleteEnglishInAscii) {
  testing::ExpectTablePair(Members(EngineTextsFor(Language::kJapanese)),
                           Members(EngineTextsFor(Language::kEnglish)));
}

// Scripts branch on these names: each failure has its own, and only the
// absence of one has none.
TEST(FailureCode, EachFailureHasOneStableName) {
  std::set<std::string> names;
  const int last = static_cast<int>(Failure::kStopped);
  for (int i = static_cast<int>(Failure::kNone); i <= last; ++i) {
    const std::string name = FailureCode(static_cast<Failure>(i));
    EXPECT_EQ(name.empty(), i == static_cast<int>(Failure::kNone)) << i;
    names.insert(name);
  }
  EXPECT_EQ(names.size(), static_cast<size_t>(last) + 1);
}

}  // namespace
}  // namespace tessaro
