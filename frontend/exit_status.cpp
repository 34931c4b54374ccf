// The exit status of a command-line run from its conversion's result.
#include "frontend/exit_status.h"

namespace tessaro {

ExitStatus StatusOfConversion(const ConversionResult& result) {
  if (result.failed) return kExitFailed;
  if (result.anomalyCount > 0 || result.mismatchCount > 0 || result.noFrameFound) {
    return kExitConvertedWithDamage;
  }
  return kExitOk;
}

int WorseStatus(int a, int b) {
  const auto rank = [](int code) { return code == kExitFailed ? 2 : code == kExitOk ? 0 : 1; };
  return rank(a) >= rank(b) ? a : b;
}

}  // namespace tessaro
