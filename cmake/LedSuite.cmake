# Helpers shared by every component.
#
# ls_add_test(<name> SOURCES <files...> [LIBS <targets...>] [LOCALE <locale>]
#             [TIMEOUT <seconds>] [LABELS <labels...>] [SHARED_CONFIG] [FOCUS])
#   A GoogleTest executable run by ctest under Wine (the cross-compiling
#   emulator). LOCALE pins the ANSI code page of the test process
#   (en_US.UTF-8 gives 1252 and is the default, zh_CN.GBK gives 936).
#   SHARED_CONFIG marks a test that writes settings files of the program
#   folder (bin/Config, bin/Lang): such tests never run at the same time.
#   FOCUS marks a test that needs the keyboard focus, or moves or reads the
#   pointer: such tests run one at a time in a session of their own (see
#   ls_test_needs_focus).
function(ls_add_test name)
  cmake_parse_arguments(T "SHARED_CONFIG;FOCUS" "LOCALE;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  if(NOT T_LOCALE)
    set(T_LOCALE en_US.UTF-8)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ls_test_main ${T_LIBS})
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${LS_BIN_DIR})
  set_tests_properties(${name} PROPERTIES
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "LEDSUITE_LOCALE=${T_LOCALE}")
  if(T_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
  endif()
  if(T_SHARED_CONFIG)
    set_property(TEST ${name} APPEND PROPERTY RESOURCE_LOCK program_folder_settings)
  endif()
  if(T_FOCUS)
    ls_test_needs_focus(${name})
  endif()
endfunction()

# ls_test_needs_focus(<test>)
#   The test runs alone in the test sandbox's focus session (a display and a
#   Wine server of its own, see tools/sandbox-run.sh): windows that other
#   tests show meanwhile cannot take its keyboard focus or foreground.
function(ls_test_needs_focus name)
  set_property(TEST ${name} APPEND PROPERTY RESOURCE_LOCK desktop_focus)
  set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT "LEDSUITE_FOCUS=1")
endfunction()

# ls_add_benchmark(<name> SOURCES <files...> [LIBS <targets...>])
#   A timed tool, built with everything else but not run by the tests;
#   tools/bench.sh runs them.
function(ls_add_benchmark name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ls_bench_main ${B_LIBS})
  set_property(GLOBAL APPEND PROPERTY LS_BENCHMARKS ${name})
endfunction()

# ls_finish_benchmarks()
#   After every component: the target `benchmarks` builds them all, and
#   benchmarks.txt in the build tree names their executables for tools/bench.sh.
function(ls_finish_benchmarks)
  get_property(names GLOBAL PROPERTY LS_BENCHMARKS)
  add_custom_target(benchmarks DEPENDS program_data ${names})
  set(files)
  foreach(name IN LISTS names)
    list(APPEND files $<TARGET_FILE_NAME:${name}>)
  endforeach()
  list(JOIN files "\n" content)
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/benchmarks.txt CONTENT "${content}\n")
endfunction()

# ls_add_stdcall_dll(<name> <sources...>)
#   A DLL <name>.dll whose exports are __stdcall functions listed in
#   <name>.def (beside the calling CMakeLists.txt) with their argument sizes.
#   --kill-at exports them undecorated; the linker's import library would then
#   carry undecorated symbols too, which callers' __stdcall declarations do
#   not reference, so it is remade from the .def with dlltool -k: decorated
#   symbols, plain import names.
#   64-bit Windows has one calling convention and no decorated names: there
#   the argument sizes are dropped from the .def and the linker's import
#   library is the right one.
#   The test exports.<name> reads the built DLL's export table (see
#   ls_check_dll_exports).
function(ls_add_stdcall_dll name)
  set(def ${CMAKE_CURRENT_SOURCE_DIR}/${name}.def)
  ls_check_dll_exports(${name} ${def})
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    file(READ ${def} text)
    string(REGEX REPLACE "@[0-9]+" "" text "${text}")
    set(def64 ${CMAKE_CURRENT_BINARY_DIR}/${name}.def)
    file(WRITE ${def64} "${text}")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def})
    add_library(${name} SHARED ${ARGN} ${def64})
    set_target_properties(${name} PROPERTIES PREFIX "" IMPORT_PREFIX "lib")
    return()
  endif()
  add_library(${name} SHARED ${ARGN} ${def})
  # Without the fix-up the linker refuses a .def entry NAME@n whose function is
  # not __stdcall, instead of quietly exporting a __cdecl one.
  target_link_options(${name} PRIVATE -Wl,--kill-at -Wl,--disable-stdcall-fixup)
  set_target_properties(${name} PROPERTIES PREFIX "" IMPORT_PREFIX "lib")
  find_program(LS_DLLTOOL NAMES i686-w64-mingw32-dlltool REQUIRED)
  add_custom_command(TARGET ${name} POST_BUILD
    COMMAND ${LS_DLLTOOL} -k -d ${def} -D ${name}.dll -l $<TARGET_LINKER_FILE:${name}>
    VERBATIM)
endfunction()

# ls_check_dll_exports(<target> <def> [NAME <test>] [EXPECT <regex>])
#   The test exports.<target> (or <test>) compares the DLL's export table with
#   <def> on the build machine, without loading the DLL, so it also checks the
#   32-bit release build that this machine may not run (tools/test.sh runs the
#   tests labelled exports there): every .def entry NAME@n exported as plain
#   NAME, nothing else exported, the module named as its file. EXPECT turns it
#   into a test of the check itself: it passes when the check reports <regex>.
function(ls_check_dll_exports target def)
  cmake_parse_arguments(E "" "NAME;EXPECT" "" ${ARGN})
  if(NOT E_NAME)
    set(E_NAME exports.${target})
  endif()
  find_program(LS_OBJDUMP NAMES ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-objdump REQUIRED)
  add_test(NAME ${E_NAME}
    COMMAND ${CMAKE_COMMAND} -DDLL=$<TARGET_FILE:${target}> -DDEF=${def} -DOBJDUMP=${LS_OBJDUMP}
      -P ${PROJECT_SOURCE_DIR}/cmake/CheckDllExports.cmake)
  set_tests_properties(${E_NAME} PROPERTIES LABELS exports TIMEOUT 60)
  if(E_EXPECT)
    set_tests_properties(${E_NAME} PROPERTIES PASS_REGULAR_EXPRESSION "${E_EXPECT}")
  endif()
endfunction()
