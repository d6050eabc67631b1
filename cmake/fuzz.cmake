# libFuzzer targets over the pure logic, built with clang, ASan and UBSan.
# A short run of each is a ctest entry; scripts/fuzz-long runs them longer.
set(FUZZ_FLAGS -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -g -O1)
add_library(fuzz_logic STATIC ${PURE_SOURCES})
target_compile_options(fuzz_logic PRIVATE -fsanitize=fuzzer-no-link,address,undefined -g -O1)
target_include_directories(fuzz_logic PUBLIC ${CMAKE_SOURCE_DIR}/src)

set(FUZZ_SECONDS 15 CACHE STRING "seconds for each fuzz target's short run")
file(GLOB FUZZ_TARGETS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
foreach(source ${FUZZ_TARGETS})
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source})
  target_compile_options(${name} PRIVATE ${FUZZ_FLAGS})
  target_link_options(${name} PRIVATE ${FUZZ_FLAGS})
  target_link_libraries(${name} PRIVATE fuzz_logic)
  string(REGEX REPLACE "_fuzz$" "" seeds ${name})
  set(corpus ${CMAKE_BINARY_DIR}/corpus/${seeds})
  file(MAKE_DIRECTORY ${corpus})
  set(dictionary)
  if(EXISTS ${CMAKE_SOURCE_DIR}/tests/fuzz/${seeds}.dict)
    set(dictionary -dict=${CMAKE_SOURCE_DIR}/tests/fuzz/${seeds}.dict)
  endif()
  add_test(NAME ${name}
    COMMAND ${name} -max_total_time=${FUZZ_SECONDS} -seed=1 -timeout=10 ${dictionary} ${corpus}
            ${CMAKE_SOURCE_DIR}/tests/fuzz/seeds/${seeds})
  set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT 300)
endforeach()
