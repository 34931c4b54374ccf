#pragma once
// The version texts the programs show, spelled from the build's version
// macros so that a new version changes one place.

#include "tessaro_version.h"

#define TESSARO_TEST_TEXT_OF(x) #x
#define TESSARO_TEST_NUMBER_TEXT(x) TESSARO_TEST_TEXT_OF(x)

namespace tessaro::testing {

// The window caption and the about box's first line ("Tessaro Version 0.28"
// for 0.2.8).
inline constexpr char kVersionText[] =
    "Tessaro Version " TESSARO_TEST_NUMBER_TEXT(TESSARO_VERSION_MAJOR) "." TESSARO_TEST_NUMBER_TEXT(
        TESSARO_VERSION_MINOR) TESSARO_TEST_NUMBER_TEXT(TESSARO_VERSION_PATCH);

// What tessaro-cli --version prints.
inline constexpr char kCliVersionLine[] = "tessaro-cli " TESSARO_VERSION_STRING "\n";

}  // namespace tessaro::testing
