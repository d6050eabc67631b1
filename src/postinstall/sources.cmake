list(APPEND PURE_SOURCES)
list(APPEND WIN32_SOURCES
  src/postinstall/companion.cpp
  src/postinstall/jobs.cpp
  src/postinstall/product_config.cpp)
