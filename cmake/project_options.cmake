# Flags shared by every target of the project, and helpers to declare our own targets.

if(WIN32)
  enable_language(RC)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  # Each function and object in a section of its own, so that a deliverable's link drops
  # what it does not reach (ts_deliverable).
  add_compile_options(-ffunction-sections -fdata-sections)
  # Tests run through this: a private wine prefix in the build tree.
  set(TS_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tools/wine-run;${TS_WINEPREFIX})
  # The 64-bit builds go beside the 32-bit ones in a folder of their own.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(TS_DIST_DIR ${CMAKE_SOURCE_DIR}/dist/x64)
  else()
    set(TS_DIST_DIR ${CMAKE_SOURCE_DIR}/dist)
  endif()
else()
  # The host build exists to run platform-neutral code under the sanitizers.
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
  if(TS_FUZZ)
    # Coverage for libFuzzer in every library; the harnesses link the fuzzer itself.
    add_compile_options(-fsanitize=fuzzer-no-link)
  endif()
endif()

# Warnings are errors in our own code (not in GoogleTest).
function(ts_own_code target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  get_target_property(type ${target} TYPE)
  if(WIN32 AND type MATCHES "EXECUTABLE|SHARED_LIBRARY|MODULE_LIBRARY")
    set_property(GLOBAL APPEND PROPERTY TS_WINDOWS_BINARIES $<TARGET_FILE:${target}>)
  endif()
  if(type STREQUAL "STATIC_LIBRARY")
    set_property(GLOBAL APPEND PROPERTY TS_STATIC_LIBRARIES $<TARGET_FILE:${target}>)
  endif()
endfunction()

# A deliverable: built with our warnings, copied to dist/ after each build, and built by the
# `dist` target (what tools/build.sh builds). X86_ONLY: shipped in its 32-bit build alone; the
# 64-bit build exists for the tests only.
function(ts_deliverable target)
  cmake_parse_arguments(ARG "X86_ONLY" "" "" ${ARGN})
  ts_own_code(${target})
  # Without the standard library's demangler (support/terminate_quietly.cpp says why).
  target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/support/terminate_quietly.cpp)
  if(ARG_X86_ONLY AND CMAKE_SIZEOF_VOID_P EQUAL 8)
    return()
  endif()
  ts_dist_part(${target})
  # What we ship carries no symbols, and no code that nothing calls.
  target_link_options(${target} PRIVATE $<$<CONFIG:Release>:-s> -Wl,--gc-sections)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TS_DIST_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${target}> ${TS_DIST_DIR}/
    VERBATIM)
endfunction()

# A target whose output lands in dist/: the `dist` target depends on it.
function(ts_dist_part target)
  set_property(GLOBAL APPEND PROPERTY TS_DIST_TARGETS ${target})
endfunction()

# A test that needs the private wine prefix: it waits for the prefix's start, and its label
# lets tools/test.sh leave it out where wine cannot run the preset's programs.
function(ts_runs_under_wine test)
  set_tests_properties(${test} PROPERTIES FIXTURES_REQUIRED wine LABELS wine)
endfunction()

# A GoogleTest executable registered as one ctest test; under wine on Windows targets.
function(ts_gtest target)
  if(TS_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;PROPERTIES" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gmock)
  # Tests that hold the docs' examples to the code read them from here.
  target_compile_definitions(${target} PRIVATE TS_DOCS_DIR="${PROJECT_SOURCE_DIR}/docs")
  ts_own_code(${target})
  add_test(NAME ${target} COMMAND ${target} --gtest_brief=1)
  # ctest reports a GoogleTest skip as "Skipped", which tools/test.sh counts as a failure.
  set_tests_properties(${target} PROPERTIES SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
  if(WIN32)
    ts_runs_under_wine(${target})
  endif()
  if(ARG_PROPERTIES)
    set_tests_properties(${target} PROPERTIES ${ARG_PROPERTIES})
  endif()
endfunction()

# A minimal library image of either bitness, whatever the preset: for tests that probe
# or choose libraries by their machine type. Made with the other toolchain's compiler.
function(ts_fixture_library output arch source)
  if(arch STREQUAL "x86")
    set(compiler i686-w64-mingw32-gcc)
  else()
    set(compiler x86_64-w64-mingw32-gcc)
  endif()
  add_custom_command(OUTPUT ${output}
    COMMAND ${compiler} -shared -nostdlib -o ${output} ${source}
    DEPENDS ${source}
    VERBATIM)
endfunction()

# Keeps a copy of another target's file beside a test program, refreshed whenever the test is
# built (a POST_BUILD copy would go stale when only the other target changed).
function(ts_copy_beside target file_target)
  set(copy ${target}_beside_${file_target})
  add_custom_target(${copy}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${file_target}> $<TARGET_FILE_DIR:${target}>/
    VERBATIM)
  add_dependencies(${copy} ${file_target})
  add_dependencies(${target} ${copy})
endfunction()

# A stand-in for a system DLL (file: its name there), copied by the test
# <target>.install into the prefix's system folder of this bitness. Only a program for which
# wine's own DLL of that name is overridden loads it, so the other tests are not affected;
# tests that want it require the fixture <target>.
function(ts_system_folder_double target file)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(folder syswow64)
  else()
    set(folder system32)
  endif()
  add_test(NAME ${target}.install
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${target}>
            ${TS_WINEPREFIX}/drive_c/windows/${folder}/${file})
  ts_runs_under_wine(${target}.install)
  set_tests_properties(${target}.install PROPERTIES FIXTURES_SETUP ${target})
endfunction()
