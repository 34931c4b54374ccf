// The dialog's default conversion runner: the engine on the real file system,
// watched by the stop handling of a command-line run.
#include "ui/conversion_runner.h"

#include "engine/convert_command.h"
#include "frontend/interrupts.h"

namespace tessaro {

ConversionRunner DefaultConversionRunner() {
  return [](const ConversionRequest& request, ConversionHost& host) {
    return RunConversion(request, host, WatchedRealFileSystem());
  };
}

}  // namespace tessaro
