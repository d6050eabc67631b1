# Native build: the pure logic and its unit tests under the sanitizers.
find_package(GTest REQUIRED)
include(GoogleTest)

set(SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(-Wall -Wextra -Werror ${SANITIZE})
add_link_options(${SANITIZE})

add_library(setup_logic STATIC ${PURE_SOURCES})
target_include_directories(setup_logic PUBLIC ${CMAKE_SOURCE_DIR}/src)

file(GLOB UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*_test.cpp)
foreach(source ${UNIT_TESTS})
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE setup_logic GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/res)
  target_compile_definitions(${name} PRIVATE RES_DIR="${CMAKE_SOURCE_DIR}/res")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
endforeach()
