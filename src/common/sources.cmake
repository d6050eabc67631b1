list(APPEND PURE_SOURCES
  src/common/bounded_text.cpp
  src/common/wide_string.cpp)
list(APPEND WIN32_SOURCES
  src/common/late_bound.cpp)
