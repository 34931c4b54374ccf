#pragma once
// What the end-to-end tests share: the program under test, the committed
// samples, and the silent frame that the WAV to AAC direction pads with.

#include <string>

#include "tests/e2e/process.h"
#include "tests/support/temp_dir.h"

namespace tessaro::e2e {

inline const std::string kCli = TESSARO_CLI_PATH;
inline const std::string kSamples = TESSARO_SAMPLES_DIR;
// A 16-byte silent 48 kHz stereo frame.
inline const std::string kSilentStereo(
    "\xFF\xF9\x4C\x80\x02\x1F\xFC\x21\x00\x49\x90\x02\x19\x00\x23\x80", 16);

// Copies the committed sample `name` into dir as `as`; returns its path.
inline std::string CopySample(const testing::TempDir& dir, const std::string& name,
                              const std::string& as) {
  const std::string path = dir.File(as);
  testing::WriteFile(path, testing::ReadFile(kSamples + "/" + name));
  return path;
}

}  // namespace tessaro::e2e
