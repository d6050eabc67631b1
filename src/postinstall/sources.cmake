list(APPEND PURE_SOURCES
  src/postinstall/companion_rules.cpp
  src/postinstall/job_command.cpp
  src/postinstall/system_error_text.cpp)
list(APPEND WIN32_SOURCES
  src/postinstall/companion.cpp
  src/postinstall/desktop_launch.cpp
  src/postinstall/jobs.cpp
  src/postinstall/product_config.cpp
  src/postinstall/registry_text.cpp)
