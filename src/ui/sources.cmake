list(APPEND PURE_SOURCES)
list(APPEND WIN32_SOURCES
  src/ui/completion_dialog.cpp)
