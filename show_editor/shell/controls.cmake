# The show editor's small controls that effect editors and the movie maker
# library reuse: the colour controls, the tile view and the input dialogs.
# Hosts add shell/tile_view.rc to their resources for the tile view's form
# and shell/input_dialogs.rc for the input dialogs.
add_library(show_controls STATIC
  ${CMAKE_CURRENT_LIST_DIR}/color_combox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/color_sel_ctrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/color_show_bar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/color_skin_button.cpp
  ${CMAKE_CURRENT_LIST_DIR}/input_dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tile_view.cpp)
target_include_directories(show_controls PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(show_controls PUBLIC framework comctl32 gdi32 user32)

set(SHOW_CONTROLS_TESTS ${CMAKE_CURRENT_LIST_DIR}/../tests/controls)
if(EXISTS ${SHOW_CONTROLS_TESTS})
  ls_add_test(test_show_controls
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/tile_view.rc
      ${CMAKE_CURRENT_LIST_DIR}/input_dialogs.rc
      ${SHOW_CONTROLS_TESTS}/color_controls_test.cpp
      ${SHOW_CONTROLS_TESTS}/input_dialogs_test.cpp
      ${SHOW_CONTROLS_TESTS}/tile_view_test.cpp
    LIBS show_controls framework_testing)
endif()
