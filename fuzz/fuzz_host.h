#pragma once
// What the fuzz targets share: a host that keeps the info text, a check that
// stops the run (a finding) when the engine breaks its word, and a small disk.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/conversion_host.h"
#include "tests/support/memory_file_system.h"

#define FUZZ_CHECK(cond)                                                         \
  do {                                                                           \
    if (!(cond)) {                                                               \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                              \
    }                                                                            \
  } while (0)

namespace tessaro::fuzz {

class FuzzHost final : public ConversionHost {
 public:
  void SetProgress(int percent) override { FUZZ_CHECK(percent >= 0); }
  void SetInfoText(const std::string& text, bool) override {
    info = text;
    ++setCalls;
  }
  void AppendInfoText(const std::string& text, bool) override { info += text; }
  void PumpEvents() override {}
  void ShowErrorMessage(const std::string& text, int writeLog) override {
    FUZZ_CHECK(!text.empty() && writeLog == 1);
    ++errorWindows;
  }

  std::string info;
  int setCalls = 0;
  int errorWindows = 0;
};

// Files stop growing at 16 MiB, as on a full disk, so that no input makes a
// run hold gigabytes.
inline void UseSmallDisk(testing::MemoryFileSystem& fs) { fs.SetFileSizeLimit(uint64_t{16} << 20); }

inline bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

}  // namespace tessaro::fuzz
