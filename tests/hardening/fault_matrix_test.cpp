// Every file operation of a small conversion fails in turn, outright or short,
// through the console program's entry point: each time an "エラー：" message,
// exit status 1, no new file left, the input and any earlier output byte for
// byte as they were, and every file handle released.

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "tests/support/memory_console.h"
#include "tests/support/adts_builder.h"
#include "tests/support/memory_file_system.h"

namespace tessaro::hardening {
namespace {

using testing::Bytes;
using testing::FaultMode;
using testing::FsOp;
using testing::MemoryFileSystem;
using testing::MemoryConsole;

// Frames of 2,000 bytes, enough for three read windows of the input and
// several writes of the output buffer.
Bytes LongStream() {
  testing::AdtsFields fields;
  fields.frame_length = 2000;
  return testing::AdtsStream().Frames(600, fields).bytes();
}

struct Direction {
  const char* name;
  std::vector<std::string> args;  // input "in.*", output "out.*"
  bool wavInput;
  bool oldOutput = false;  // the output path holds an earlier file, which is replaced
};

const Direction kDirections[] = {
    {"aac_to_wav_16bit", {"in.aac", "out.wav"}, false},
    {"aac_to_wav_8bit_delay", {"-s2", "-d100", "in.aac", "out.wav"}, false},
    {"aac_to_wav_negative_delay", {"-d-50", "in.aac", "out.wav"}, false},
    {"wav_to_aac", {"in.wav", "out.aac"}, true},
    {"aac_to_wav_replacing", {"-d100", "in.aac", "out.wav"}, false, true},
    {"wav_to_aac_replacing", {"in.wav", "out.aac"}, true, true},
};

const Bytes kOldOutput(5000, 0xA5);

void PrintTo(const Direction& d, std::ostream* os) { *os << d.name; }

class FaultMatrix : public ::testing::TestWithParam<Direction> {
 protected:
  void SetUp() override {
    input_ = GetParam().wavInput ? "in.wav" : "in.aac";
    output_ = GetParam().wavInput ? "out.aac" : "out.wav";
    inputBytes_ = LongStream();
    if (GetParam().wavInput) {
      MemoryFileSystem maker;
      maker.SetFile("in.aac", inputBytes_);
      MemoryConsole console;
      ASSERT_EQ(cli::RunCli({"in.aac", "in.wav"}, console, maker, Language::kJapanese), kExitOk) << console.out;
      inputBytes_ = maker.Contents("in.wav");
    }
  }

  // A run with the given fault; probe runs have none.
  int Run(MemoryFileSystem& fs, MemoryConsole& console) {
    fs.SetFile(input_, inputBytes_);
    if (GetParam().oldOutput) fs.SetFile(output_, kOldOutput);
    return cli::RunCli(GetParam().args, console, fs, Language::kJapanese);
  }

  std::string input_, output_;
  Bytes inputBytes_;
};

TEST_P(FaultMatrix, EveryFailingOperationIsReportedAndLeavesNothingBehind) {
  MemoryFileSystem probe;
  MemoryConsole probeConsole;
  ASSERT_EQ(Run(probe, probeConsole), kExitOk) << probeConsole.out;
  const std::vector<FsOp> log = probe.callLog();
  ASSERT_GE(probe.callCount(FsOp::kRead), 3u);
  ASSERT_GE(probe.callCount(FsOp::kWrite), 2u);
  // Only a file that replaces another is flushed to the disk before the rename.
  EXPECT_EQ(probe.callCount(FsOp::kSync), GetParam().oldOutput ? 1u : 0u);
  const size_t filesBefore = GetParam().oldOutput ? 2 : 1;
  // An earlier output is looked at before the new file is made (is it a file
  // of the input's kind?); a look that fails judges it of no kind, which is
  // harmless. Those calls run from the second open for reading to the create.
  size_t lookStart = log.size(), lookEnd = log.size();
  for (size_t i = 0, opens = 0; i < log.size(); ++i) {
    if (log[i] == FsOp::kOpenRead && ++opens == 2) lookStart = i + 1;
    if (log[i] == FsOp::kCreate) {
      lookEnd = i + 1;
      break;
    }
  }

  int faultsHit = 0;
  for (uint64_t k = 1; k <= log.size(); ++k) {
    const FsOp op = log[k - 1];
    if (op == FsOp::kSameFile) continue;  // only a question, never fails
    for (FaultMode mode : {FaultMode::kFail, FaultMode::kShort}) {
      SCOPED_TRACE(std::string("call ") + std::to_string(k) + " " + testing::FsOpName(op) +
                   (mode == FaultMode::kShort ? " (short)" : ""));
      MemoryFileSystem fs;
      fs.FailCall(k, mode);
      MemoryConsole console;
      const int status = Run(fs, console);
      ASSERT_TRUE(fs.faultHit());
      ++faultsHit;
      EXPECT_EQ(fs.Contents(input_), inputBytes_);
      EXPECT_EQ(fs.openHandles(), 0);
      if (status == kExitOk) {
        // A fault that cannot matter: a short read at the end of the file
        // returns all there is, the input's own close comes after the output
        // is complete, and the look at an earlier output may fail. The result
        // is then exactly the fault-free one.
        EXPECT_TRUE((op == FsOp::kRead && mode == FaultMode::kShort) || k == log.size() ||
                    (k >= lookStart && k < lookEnd));
        EXPECT_EQ(fs.Contents(output_), probe.Contents(output_));
        EXPECT_EQ(console.out, probeConsole.out);
        continue;
      }
      EXPECT_EQ(status, kExitFailed) << console.out;
      EXPECT_EQ(console.out.rfind("エラー：", 0), 0u) << console.out;
      if (GetParam().oldOutput) {
        EXPECT_EQ(fs.Contents(output_), kOldOutput) << "earlier output changed";
      } else {
        EXPECT_FALSE(fs.Exists(output_)) << "partial output left behind";
      }
      EXPECT_EQ(fs.Paths().size(), filesBefore) << "new file left behind";
    }
  }
  EXPECT_GT(faultsHit, 20);
}

// Between them the directions use every kind of file operation, so each kind
// fails somewhere in the matrix.
TEST(FaultMatrixCoverage, EveryOperationKindIsExercised) {
  std::set<FsOp> used;
  for (const Direction& d : kDirections) {
    MemoryFileSystem fs;
    fs.SetFile("in.aac", LongStream());
    MemoryConsole console;
    if (d.wavInput) {
      ASSERT_EQ(cli::RunCli({"in.aac", "in.wav"}, console, fs, Language::kJapanese), kExitOk);
    }
    if (d.oldOutput) fs.SetFile(d.wavInput ? "out.aac" : "out.wav", kOldOutput);
    ASSERT_EQ(cli::RunCli(d.args, console, fs, Language::kJapanese), kExitOk) << console.out;
    used.insert(fs.callLog().begin(), fs.callLog().end());
  }
  for (FsOp op : {FsOp::kOpenRead, FsOp::kStat, FsOp::kResolveLinks, FsOp::kCreate,
                  FsOp::kRename, FsOp::kRead, FsOp::kWrite, FsOp::kSeek, FsOp::kSize,
                  FsOp::kTruncate, FsOp::kSync, FsOp::kClose}) {
    EXPECT_TRUE(used.count(op)) << testing::FsOpName(op);
  }
}

INSTANTIATE_TEST_SUITE_P(Directions, FaultMatrix, ::testing::ValuesIn(kDirections),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace tessaro::hardening
