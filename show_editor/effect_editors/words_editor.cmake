# The colourful-text editor, part of show_editors; its dialog resource is
# SHOW_EDITORS3_RC, a source of every executable that shows it.
target_sources(show_editors PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/words_editor_values.cpp
  ${CMAKE_CURRENT_LIST_DIR}/prompt_edit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dlg_color_full_words.cpp)

set(SHOW_EDITORS3_RC ${CMAKE_CURRENT_LIST_DIR}/words_editor.rc PARENT_SCOPE)

set(_tests3 ${CMAKE_CURRENT_LIST_DIR}/../tests/words_editor)
if(EXISTS ${_tests3})
  file(GLOB _test3_sources CONFIGURE_DEPENDS ${_tests3}/*.cpp)
  ls_add_test(test_words_editor
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/words_editor.rc
      ${_test3_sources}
    LIBS show_editors show_engine show_document show_engine framework_testing
    TIMEOUT 240)
endif()
