# Imported targets for the libraries that tools/deps/build-deps.sh builds into
# the cache. The configure step passes their prefixes.
set(LS_GTEST_PREFIX "" CACHE PATH "GoogleTest prefix for the target")
set(LS_TINYXML2_PREFIX "" CACHE PATH "tinyxml2 prefix for the target")
set(LS_FFMPEG_PREFIX "" CACHE PATH "FFmpeg prefix for the target")

function(_ls_import_static target prefix)
  # remaining arguments: library file names, first one is the target's own
  set(libs ${ARGN})
  list(POP_FRONT libs first)
  add_library(${target} STATIC IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES
    IMPORTED_LOCATION ${prefix}/lib/${first}
    INTERFACE_INCLUDE_DIRECTORIES ${prefix}/include)
endfunction()

if(LS_GTEST_PREFIX)
  _ls_import_static(ls::gtest ${LS_GTEST_PREFIX} libgtest.a)
  _ls_import_static(ls::gmock ${LS_GTEST_PREFIX} libgmock.a)
  target_link_libraries(ls::gmock INTERFACE ls::gtest)
endif()

if(LS_TINYXML2_PREFIX)
  _ls_import_static(ls::tinyxml2 ${LS_TINYXML2_PREFIX} libtinyxml2.a)
endif()

if(LS_FFMPEG_PREFIX)
  # Static link order: avformat, avcodec, swscale, avutil, then system libraries.
  add_library(ls::ffmpeg INTERFACE IMPORTED GLOBAL)
  target_include_directories(ls::ffmpeg INTERFACE ${LS_FFMPEG_PREFIX}/include)
  target_link_libraries(ls::ffmpeg INTERFACE
    ${LS_FFMPEG_PREFIX}/lib/libavformat.a
    ${LS_FFMPEG_PREFIX}/lib/libavcodec.a
    ${LS_FFMPEG_PREFIX}/lib/libswscale.a
    ${LS_FFMPEG_PREFIX}/lib/libavutil.a
    z bcrypt ole32 user32 atomic)
endif()
