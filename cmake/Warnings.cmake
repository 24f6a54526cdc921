# Every target of ours gets the same warning set; third-party headers come in as SYSTEM.
add_library(tlx4r_warnings INTERFACE)
target_compile_options(tlx4r_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow=local
  -Wnon-virtual-dtor)
# GCC 12 reports false -Wrestrict overlaps inside std::string's inline code (GCC bug 105329).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(tlx4r_warnings INTERFACE -Wno-restrict)
endif()
if(TLX4R_WERROR)
  target_compile_options(tlx4r_warnings INTERFACE -Werror)
endif()

# tlx4r_target(NAME) applies the project-wide settings to a target of ours.
function(tlx4r_target name)
  target_link_libraries(${name} PRIVATE tlx4r_warnings)
endfunction()
