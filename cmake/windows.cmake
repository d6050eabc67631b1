# Cross build: Setup.exe, the Windows test programs and the stub programs.
enable_language(RC)
include(GoogleTest)

set(SIZE_FLAGS -Os -ffunction-sections -fdata-sections -fno-threadsafe-statics)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  # Nothing reads DWARF unwind tables in an i686 program without exceptions;
  # x86_64 code needs its unwind data.
  list(APPEND SIZE_FLAGS -fno-asynchronous-unwind-tables)
endif()
add_compile_options(-Wall -Wextra -Werror -municode -DUNICODE -D_UNICODE -D_WIN32_WINNT=0x0501)
set(STATIC_GUI_LINK -municode -mwindows -static -s -Wl,--gc-sections -Wl,--dynamicbase,--nxcompat)

add_library(setup_logic STATIC ${PURE_SOURCES})
target_compile_options(setup_logic PRIVATE ${SIZE_FLAGS} -fno-exceptions -fno-rtti)
target_include_directories(setup_logic PUBLIC ${CMAKE_SOURCE_DIR}/src)

add_library(setup_platform STATIC ${WIN32_SOURCES})
target_compile_options(setup_platform PRIVATE ${SIZE_FLAGS} -fno-exceptions -fno-rtti)
target_include_directories(setup_platform PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/res)
target_link_libraries(setup_platform PUBLIC setup_logic)

add_executable(Setup WIN32 src/driver/setup_main.cpp res/setup.rc)
target_compile_options(Setup PRIVATE ${SIZE_FLAGS} -fno-exceptions -fno-rtti)
target_include_directories(Setup PRIVATE ${CMAKE_SOURCE_DIR}/res)
target_link_libraries(Setup PRIVATE setup_platform)
target_link_options(Setup PRIVATE ${STATIC_GUI_LINK})
set_target_properties(Setup PROPERTIES OUTPUT_NAME Setup)
set_source_files_properties(res/setup.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/res/setup.manifest")
file(GLOB RES_DEPENDS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*.rc ${CMAKE_SOURCE_DIR}/res/*.h
  ${CMAKE_SOURCE_DIR}/res/*.bmp ${CMAKE_SOURCE_DIR}/res/*.ico ${CMAKE_SOURCE_DIR}/res/*.manifest)
set_source_files_properties(res/setup.rc PROPERTIES OBJECT_DEPENDS "${RES_DEPENDS}")

add_subdirectory(tools)
add_subdirectory(samples)

# This kind of machine cannot run 32-bit code, so Wine cannot run the i686
# build: the shipped i686 Setup.exe is checked statically here, and the same
# sources built for x86_64 run every Windows and end-to-end test.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  add_test(NAME shipped_executable
    COMMAND ${CMAKE_SOURCE_DIR}/tests/pe/check-shipped-exe $<TARGET_FILE:Setup>)
  return()
endif()

# GoogleTest from Debian's sources, built with the same cross compiler.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)



if(NOT SHIPPED_SETUP_EXE)
  set(SHIPPED_SETUP_EXE $<TARGET_FILE:Setup>)
endif()
set(QM_TEST_ENV
  "QM_PREFIX_ROOT=${CMAKE_BINARY_DIR}/wine"
  "SETUP_EXE=Z:$<TARGET_FILE:Setup>"
  "SHIPPED_SETUP_EXE=Z:${SHIPPED_SETUP_EXE}"
  "STUB_EXE=Z:$<TARGET_FILE:stub>"
  "SHELL_EXE=Z:$<TARGET_FILE:fake_shell>"
  "PLANTED_DLL=Z:$<TARGET_FILE:planted_dll>"
  "MEDIUM_DIR=Z:${CMAKE_BINARY_DIR}/medium"
  "SCRATCH_DIR=Z:${CMAKE_BINARY_DIR}/scratch")

# One ctest entry per TEST, run in the build tree's wine64 prefix.
function(qm_add_wine_tests target source)
  gtest_add_tests(TARGET ${target} SOURCES ${source} TEST_LIST found)
  set_tests_properties(${found} PROPERTIES ENVIRONMENT "${QM_TEST_ENV}" LABELS wine TIMEOUT 300)
endfunction()

function(qm_test_program name source)
  add_executable(${name} ${source} ${ARGN})
  target_link_libraries(${name} PRIVATE setup_platform gtest_main gtest)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/res)
  target_link_options(${name} PRIVATE -static)
  target_compile_options(${name} PRIVATE -Wno-error=unused-parameter)
endfunction()

# tests/win32: code that needs the real platform.
file(GLOB WIN32_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/*_test.cpp)
foreach(source ${WIN32_TESTS})
  get_filename_component(name ${source} NAME_WE)
  qm_test_program(${name} ${source})
  add_dependencies(${name} Setup)
  qm_add_wine_tests(${name} ${source})
endforeach()

# tests/e2e: scenarios through the real Setup.exe, all sharing the harness.
file(GLOB E2E_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*_test.cpp)
add_library(e2e_harness STATIC tests/e2e/harness.cpp)
target_include_directories(e2e_harness PUBLIC ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/res)
target_link_libraries(e2e_harness PUBLIC gtest setup_logic psapi)
foreach(source ${E2E_TESTS})
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE e2e_harness gtest_main gtest)
  target_link_options(${name} PRIVATE -static)
  add_dependencies(${name} Setup stub fake_shell planted_dll medium)
  qm_add_wine_tests(${name} ${source})
endforeach()

# Wine reads the user locale from each program's Unix LC_ALL, which a Windows
# parent cannot change for its children: one entry per locale.
set(QM_UI_LOCALES
  ar_SA:0401 ar_EG:0c01 he_IL:040d zh_TW:0404 zh_HK:0c04 zh_CN:0804 zh_SG:1004 zh_MO:1404
  de_DE:0407 pt_BR:0416 pt_PT:0816 nb_NO:0414 nn_NO:0814 sv_SE:041d ja_JP:0411 el_GR:0408 th_TH:041e)
foreach(target progress_dialog_test completion_dialog_test ui_test)
  foreach(entry ${QM_UI_LOCALES})
    string(REPLACE ":" ";" parts ${entry})
    list(GET parts 0 locale)
    list(GET parts 1 lcid)
    add_test(NAME ${target}.${locale} COMMAND ${target} --gtest_filter=*UserLocale*)
    set_tests_properties(${target}.${locale} PROPERTIES
      ENVIRONMENT "${QM_TEST_ENV};LC_ALL=${locale}.UTF-8;QM_EXPECT_LCID=${lcid}" LABELS wine TIMEOUT 300)
  endforeach()
endforeach()
