# The built-in animations: their recipes (a library the tests compare the
# shipped files with) and the program that writes them. The shipped files
# in data/Resource/ani_template are made by tools/make-builtin-animations.sh.
add_library(builtin_animations STATIC ${CMAKE_CURRENT_LIST_DIR}/builtin_animations.cpp)
target_include_directories(builtin_animations PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(builtin_animations PUBLIC flossar_swf_writer)

add_executable(make_builtin_animations ${CMAKE_CURRENT_LIST_DIR}/make_builtin_animations.cpp)
target_link_libraries(make_builtin_animations PRIVATE builtin_animations)
