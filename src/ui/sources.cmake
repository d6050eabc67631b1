list(APPEND PURE_SOURCES
  src/ui/text_choice.cpp)
list(APPEND WIN32_SOURCES
  src/ui/localised_texts.cpp
  src/ui/progress_dialog.cpp
  src/ui/completion_dialog.cpp)
