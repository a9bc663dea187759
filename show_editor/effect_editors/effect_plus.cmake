# The Zazez Urad editor, part of show_editors; its dialog resource is
# SHOW_EDITORS_PLUS_RC, a source of every executable that shows it.
target_sources(show_editors PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/color_plus_values.cpp
  ${CMAKE_CURRENT_LIST_DIR}/color_plus_drawing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dlg_effect_plus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dlg_effect_plus_colors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dlg_effect_plus_items.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dlg_effect_plus_styles.cpp)

set(SHOW_EDITORS_PLUS_RC ${CMAKE_CURRENT_LIST_DIR}/effect_plus.rc PARENT_SCOPE)

set(_tests4 ${CMAKE_CURRENT_LIST_DIR}/../tests/effect_plus)
if(EXISTS ${_tests4})
  file(GLOB _test4_sources CONFIGURE_DEPENDS ${_tests4}/*.cpp)
  ls_add_test(test_effect_plus
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/effect_plus.rc
      ${_test4_sources}
    LIBS show_editors show_engine show_document show_engine framework_testing
    TIMEOUT 240)
endif()

ls_add_benchmark(bench_color_plus_drag
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/../tests/effect_plus_bench/color_plus_drag_bench.cpp
  LIBS show_editors show_engine show_document show_engine)
