// The dialog's default conversion runner: the engine on the real file system.
#include "ui/conversion_runner.h"

#include "engine/convert_command.h"

namespace tessaro {

ConversionRunner DefaultConversionRunner() {
  return [](const ConversionRequest& request, ConversionHost& host) {
    return RunConversion(request, host);
  };
}

}  // namespace tessaro
