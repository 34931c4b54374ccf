#pragma once
// What runs the dialog's conversions: the engine in the program, a stand-in in tests.

#include <functional>

#include "engine/conversion_host.h"
#include "engine/conversion_request.h"
#include "engine/conversion_result.h"

namespace tessaro {

// Runs one conversion (RunConversion in the program; a stand-in in tests).
using ConversionRunner =
    std::function<ConversionResult(const ConversionRequest&, ConversionHost&)>;

// The engine's RunConversion on the real file system. Defined apart from the
// dialog so that tests with their own runner link without the converters.
ConversionRunner DefaultConversionRunner();

}  // namespace tessaro
