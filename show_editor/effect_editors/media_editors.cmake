# The media editors (video and animation import, image show, animation
# library browser), part of show_editors; their dialog resources are
# SHOW_EDITORS4_RC, a source of every executable that shows them.
target_sources(show_editors PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/dlg_video_chioce.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dlg_image_show.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dlg_import_dir_ani.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dlg_ani_preview.cpp)

set(SHOW_EDITORS4_RC ${CMAKE_CURRENT_LIST_DIR}/media_editors.rc PARENT_SCOPE)
