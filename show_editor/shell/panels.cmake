# The three panels of the main window (preview player, project tree and
# property panel) and the main frame's own bars (title bars, frame slider and
# its dialog bar, splitter, status bar) as a library of their own. Hosts add shell/panels.rc to
# their resources (an .rc must be a source of the executable that uses it).
add_library(show_panels STATIC
  ${CMAKE_CURRENT_LIST_DIR}/my_dialog_bar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/my_slider.cpp
  ${CMAKE_CURRENT_LIST_DIR}/my_splitter_wnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/my_status_bar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/my_title_bar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panel_common.cpp
  ${CMAKE_CURRENT_LIST_DIR}/player_panel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/property_panel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/property_panel_edit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/property_rows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/template_loader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tree_panel.cpp)
target_include_directories(show_panels PUBLIC ${CMAKE_CURRENT_LIST_DIR})
# The document and the engine need each other: list the document again.
target_link_libraries(show_panels PUBLIC show_document show_engine show_document ls_common framework comctl32 gdiplus)
set(SHOW_PANELS_RC ${CMAKE_CURRENT_LIST_DIR}/panels.rc)

set(SHOW_PANELS_TESTS ${CMAKE_CURRENT_LIST_DIR}/../tests/panels)
if(EXISTS ${SHOW_PANELS_TESTS})
  file(GLOB SHOW_PANELS_TEST_SOURCES CONFIGURE_DEPENDS ${SHOW_PANELS_TESTS}/*.cpp)
  ls_add_test(test_show_panels
    SOURCES ${SHOW_PANELS_RC} ${SHOW_PANELS_TEST_SOURCES}
    LIBS show_panels framework_testing
    TIMEOUT 180)
  add_dependencies(test_show_panels program_data)
endif()
