// Kept apart from the dialog so that tests with their own runner link
// without the converters.
#include "engine/convert_command.h"
#include "ui/tessaro_dlg.h"

namespace tessaro {

ConversionRunner DefaultConversionRunner() {
  return [](const ConversionRequest& request, ConversionHost& host) {
    return RunConversion(request, host);
  };
}

}  // namespace tessaro
