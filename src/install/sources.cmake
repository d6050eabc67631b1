list(APPEND PURE_SOURCES
  src/install/msi_command.cpp
  src/install/prereq_command.cpp
  src/install/version_rules.cpp)
list(APPEND WIN32_SOURCES
  src/install/package_runner.cpp
  src/install/prerequisites.cpp
  src/install/probes.cpp)
