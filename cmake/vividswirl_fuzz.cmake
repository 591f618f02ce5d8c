# vividswirl_fuzz_target(NAME SOURCES ... [LIBRARIES ...])
# A libFuzzer target, built only in the fuzz tree (VIVIDSWIRL_FUZZ, clang).
# Every target lands in <tree>/fuzz-targets, where scripts/fuzz finds it.
function(vividswirl_fuzz_target name)
  if(NOT VIVIDSWIRL_FUZZ)
    return()
  endif()
  cmake_parse_arguments(F "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBRARIES})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz-targets)
endfunction()
