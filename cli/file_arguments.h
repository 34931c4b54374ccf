#pragma once
// File arguments of --batch and --check with their wildcards expanded where
// the shell does not do it (Windows: "*" and "?").

#include <string>
#include <vector>

namespace tessaro::cli {

// Each argument with "*" or "?" becomes the files it matches, sorted by name,
// in its own folder; an argument that matches nothing stays as it is (and
// then fails to open). Elsewhere the arguments are returned unchanged (moved,
// not copied: a batch of many files keeps one list).
std::vector<std::string> ExpandFileArguments(std::vector<std::string> files);

}  // namespace tessaro::cli
