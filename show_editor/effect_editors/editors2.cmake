# The time-trigger schedule dialog, part of show_editors; its dialog
# resource is SHOW_EDITORS2_RC, a source of every executable that shows it.
target_sources(show_editors PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/time_trigger_holidays.cpp
  ${CMAKE_CURRENT_LIST_DIR}/time_trigger_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/flicker_dot_editor.cpp)

set(SHOW_EDITORS2_RC ${CMAKE_CURRENT_LIST_DIR}/editors2.rc PARENT_SCOPE)

set(_tests2 ${CMAKE_CURRENT_LIST_DIR}/../tests/effect_editors2)
if(EXISTS ${_tests2})
  file(GLOB _test2_sources CONFIGURE_DEPENDS ${_tests2}/*.cpp)
  ls_add_test(test_effect_editors2
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/editors2.rc
      ${_test2_sources}
    LIBS show_editors show_engine show_document show_engine framework_testing
    TIMEOUT 240)
endif()
