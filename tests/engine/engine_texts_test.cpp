// The engine's text tables: complete in both languages, English in ASCII.
#include "engine/engine_texts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tests/support/text_tables.h"

namespace tessaro {
namespace {

std::vector<const char*> Members(const EngineTexts& t) {
  // Every member below: a member added to the table without a line here
  // changes the size and stops this test from compiling.
  static_assert(sizeof(EngineTexts) == 23 * sizeof(const char*));
  return {t.inputSize.c_str(),          t.outputSize.c_str(),       t.timeLinePrefix.c_str(),
          t.samplingLineWav.c_str(),    t.samplingLineAac.c_str(),  t.moreMismatches.c_str(),
          t.inputNotOpenable.c_str(),   t.outputNotOpenable.c_str(), t.inputBroken.c_str(),
          t.inputBrokenChunk.c_str(),   t.notWav.c_str(),           t.badInputName.c_str(),
          t.readFailed.c_str(),         t.writeFailed.c_str(),      t.delayTooLarge.c_str(),
          t.unexpected.c_str(),         t.damageReportHead.c_str(), t.damageReportCount.c_str(),
          t.anomalyEntryPrefix.c_str(), t.noFrameFound.c_str(),      t.outputIsAac.c_str(),
          t.outputIsWav.c_str(),        t.outputLinkInSharedFolder.c_str()};
}

TEST(EngineTexts, BothLanguagesCompleteEnglishInAscii) {
  testing::ExpectTablePair(Members(EngineTextsFor(Language::kJapanese)),
                           Members(EngineTextsFor(Language::kEnglish)));
}

// Scripts branch on these names: each message has its own, the same in both
// languages, and a report line has none.
TEST(EngineTexts, EachMessageHasOneStableCode) {
  std::vector<std::string> codes[2];
  int i = 0;
  for (const Language language : {Language::kJapanese, Language::kEnglish}) {
    const EngineTexts& t = EngineTextsFor(language);
    const std::string messages[] = {
        t.inputNotOpenable, t.outputNotOpenable, t.inputBroken, t.inputBrokenChunk(200, 20),
        t.notWav,           t.badInputName,      t.readFailed,  t.writeFailed,
        t.delayTooLarge,    t.unexpected,        t.noFrameFound, t.outputIsAac, t.outputIsWav,
        t.outputLinkInSharedFolder,
        std::string(t.damageReportHead) + t.damageReportCount(2) + "\r\n"};
    for (const std::string& message : messages) {
      const char* code = EngineMessageCode(message);
      ASSERT_NE(code, nullptr) << message;
      codes[i].push_back(code);
    }
    EXPECT_EQ(EngineMessageCode(t.inputSize("1,000")), nullptr);
    ++i;
  }
  EXPECT_EQ(codes[0], codes[1]);
  std::set<std::string> distinct(codes[0].begin(), codes[0].end());
  EXPECT_EQ(distinct.size(), codes[0].size());
}

}  // namespace
}  // namespace tessaro
