# tessaro_add_windows_resources(<target> <script.rc>)
#
# Compiles a resource script with windres and links the object into the
# target. Works from any directory without enabling the RC language at the
# top. Scripts include "res/resource.h" and the generated
# "tessaro_version.rc", and name their icon and manifest relative to res/.
include_guard(GLOBAL)

configure_file(${PROJECT_SOURCE_DIR}/res/version.rc.in
               ${PROJECT_BINARY_DIR}/generated/tessaro_version.rc @ONLY)

function(tessaro_add_windows_resources target script)
  get_filename_component(name ${script} NAME_WE)
  set(object ${CMAKE_CURRENT_BINARY_DIR}/${target}_${name}.res.o)
  file(GLOB inputs ${PROJECT_SOURCE_DIR}/res/*.ico ${PROJECT_SOURCE_DIR}/res/*.manifest)
  add_custom_command(
    OUTPUT ${object}
    COMMAND ${CMAKE_RC_COMPILER}
            -I${PROJECT_SOURCE_DIR} -I${PROJECT_SOURCE_DIR}/res -I${PROJECT_BINARY_DIR}/generated
            -O coff -i ${script} -o ${object}
    DEPENDS ${script} ${PROJECT_SOURCE_DIR}/res/resource.h ${PROJECT_SOURCE_DIR}/res/texts.h
            ${PROJECT_BINARY_DIR}/generated/tessaro_version.rc ${inputs}
    COMMENT "Compiling resources ${name}.rc for ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${object})
endfunction()
