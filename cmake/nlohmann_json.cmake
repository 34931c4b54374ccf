# nlohmann-json (header-only) from Debian's nlohmann-json3-dev, for the
# console program's JSON reports. A native build finds its CMake package.
# A cross build searches only the target's sysroot, where it is not; the
# headers are the same for every target, so the build makes the build
# machine's nlohmann/ folder visible on its own (never all of /usr/include,
# whose C headers would shadow the target's).
find_package(nlohmann_json 3.2 QUIET)
if(NOT TARGET nlohmann_json::nlohmann_json)
  find_path(TESSARO_NLOHMANN_JSON_DIR nlohmann/json.hpp
    PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT TESSARO_NLOHMANN_JSON_DIR)
    message(FATAL_ERROR "nlohmann/json.hpp not found: run scripts/install-deps build "
      "(it installs nlohmann-json3-dev)")
  endif()
  set(_tessaro_json_include ${CMAKE_BINARY_DIR}/build-machine-headers)
  file(MAKE_DIRECTORY ${_tessaro_json_include})
  file(CREATE_LINK ${TESSARO_NLOHMANN_JSON_DIR}/nlohmann ${_tessaro_json_include}/nlohmann SYMBOLIC)
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
  set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES ${_tessaro_json_include})
endif()
