// The console program's token handling: arbitrary arguments (the input split
// at NUL bytes) against an in-memory disk that holds one small AAC file and
// one WAV file. Checked: a known exit status, a message for every failure,
// the input files untouched, nothing written beyond at most one new file,
// and no partial output after a failure; --check and a usage error write
// nothing at all, and --batch at most one output per file.

#include <map>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "fuzz/fuzz_host.h"

using namespace tessaro;

namespace {

// Three 16-byte silent stereo frames.
testing::Bytes SmallAac() {
  const uint8_t frame[16] = {0xFF, 0xF9, 0x4C, 0x80, 0x02, 0x1F, 0xFC, 0x21,
                             0x00, 0x49, 0x90, 0x02, 0x19, 0x00, 0x23, 0x80};
  testing::Bytes bytes;
  for (int i = 0; i < 3; ++i) bytes.insert(bytes.end(), frame, frame + 16);
  return bytes;
}

class CaptureConsole final : public cli::Console {
 public:
  void Out(std::string_view text) override { out.append(text); }
  void Err(std::string_view text) override { err.append(text); }
  bool ErrIsTerminal() override { return terminal; }
  std::string out, err;
  bool terminal = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> args;
  std::string token;
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      args.push_back(token);
      token.clear();
    } else {
      token += static_cast<char>(data[i]);
    }
  }
  if (!token.empty() || size == 0) args.push_back(token);
  if (args.size() > 8) return 0;

  static const testing::Bytes aac = SmallAac();
  testing::MemoryFileSystem fs;
  fuzz::UseSmallDisk(fs);
  fs.SetFile("a.aac", aac);
  fs.SetFile("t DELAY 20ms.aac", aac);
  // A converted copy made through the program itself, so that .wav input is real.
  {
    CaptureConsole c;
    testing::MemoryFileSystem seed;
    fuzz::UseSmallDisk(seed);
    seed.SetFile("a.aac", aac);
    FUZZ_CHECK(cli::RunCli({"a.aac", "w.wav"}, c, seed, Language::kJapanese) == kExitOk);
    fs.SetFile("w.wav", seed.Contents("w.wav"));
  }
  const testing::Bytes wav = fs.Contents("w.wav");

  CaptureConsole console;
  console.terminal = size % 2 == 1;
  const int status = cli::RunCli(args, console, fs, Language::kJapanese);
  FUZZ_CHECK(status >= kExitOk && status <= kExitConvertedWithDamage);
  if (status == kExitFailed) FUZZ_CHECK(console.out.find("エラー：") != std::string::npos);
  if (status == kExitUsage) FUZZ_CHECK(!console.err.empty());

  // A conversion writes exactly one file, new or replaced; a failed one
  // changes and removes nothing: the output is written aside and put in place
  // only when complete. An input is never the output (the same file is
  // refused), so it survives.
  const std::map<std::string, testing::Bytes> before = {
      {"a.aac", aac}, {"t DELAY 20ms.aac", aac}, {"w.wav", wav}};
  int changed = 0;
  for (const std::string& path : fs.Paths()) {
    auto it = before.find(path);
    if (it == before.end() || it->second != fs.Contents(path)) ++changed;
  }
  int removed = 0;
  for (const auto& [path, bytes] : before) removed += fs.Exists(path) ? 0 : 1;
  const auto has = [&](const char* option) {
    for (const std::string& a : args) {
      if (a == "--") break;  // files from here on
      if (a == option) return true;
    }
    return false;
  };
  const bool converted = status == kExitOk || status == kExitConvertedWithDamage;
  if (status == kExitUsage || has("--check")) {
    FUZZ_CHECK(changed == 0 && removed == 0);  // a check writes nothing, ever
  } else if (has("--batch")) {
    // One output per file argument, each as a one-file run would leave it.
    FUZZ_CHECK(changed <= static_cast<int>(args.size()) && removed == 0);
  } else {
    FUZZ_CHECK(converted ? changed <= 1 && removed == 0 : changed == 0 && removed == 0);
  }
  return 0;
}
