list(APPEND PURE_SOURCES
  src/driver/switches.cpp
  src/driver/setup_directory_cut.cpp
  src/driver/sequence_rules.cpp)
list(APPEND WIN32_SOURCES
  src/driver/setup_directory.cpp
  src/driver/setup_ini.cpp
  src/driver/host_window.cpp)
# src/driver/setup_main.cpp (wWinMain) belongs to Setup.exe alone.
