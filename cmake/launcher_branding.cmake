# What the launcher programs are called and what they show in Explorer: their file names,
# icon and version block. Set these when configuring, e.g.
#   cmake --preset windows -DTS_LAUNCHER_NAME=bureau -DTS_LAUNCHER_ICON=/path/app.ico
# docs/launcher-branding.md describes each variable.

set(TS_LAUNCHER_NAME "javastub" CACHE STRING
  "File name, without .exe, of the console launcher")
set(TS_LAUNCHER_WINDOWED_NAME "javastubw" CACHE STRING
  "File name, without .exe, of the windowed launcher")
set(TS_LAUNCHER_ICON "${CMAKE_SOURCE_DIR}/launcher/res/javastub.ico" CACHE FILEPATH
  "Icon file (.ico) of both launcher programs")
set(TS_LAUNCHER_PRODUCT_NAME "Tessaly" CACHE STRING "Version block: ProductName")
set(TS_LAUNCHER_COMPANY "Vantrel" CACHE STRING "Version block: CompanyName")
set(TS_LAUNCHER_DESCRIPTION "Startet eine Java-Anwendung" CACHE STRING
  "Version block: FileDescription")
set(TS_LAUNCHER_PRODUCT_VERSION "1.0.0.0" CACHE STRING
  "Version block: product version, one to four numbers 0-65535 separated by dots")
set(TS_LAUNCHER_FILE_VERSION "1.0.0.0" CACHE STRING
  "Version block: file version, one to four numbers 0-65535 separated by dots")
set(TS_LAUNCHER_COPYRIGHT "" CACHE STRING "Version block: LegalCopyright; left out when empty")

# A text as a resource-script string: quotes doubled, backslashes escaped.
function(_ts_rc_string out text)
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\"" "\"\"" text "${text}")
  set(${out} "\"${text}\"" PARENT_SCOPE)
endfunction()

# "1.2.3" as the four numbers of a VERSIONINFO statement, "1, 2, 3, 0"; the text itself is
# what the version strings show.
function(_ts_version_numbers out what version)
  if(NOT version MATCHES "^[0-9]+(\\.[0-9]+)?(\\.[0-9]+)?(\\.[0-9]+)?$")
    message(FATAL_ERROR "${what} \"${version}\": one to four numbers separated by dots")
  endif()
  string(REPLACE "." ";" parts "${version}")
  list(LENGTH parts count)
  while(count LESS 4)
    list(APPEND parts 0)
    math(EXPR count "${count} + 1")
  endwhile()
  foreach(part IN LISTS parts)
    if(part GREATER 65535)
      message(FATAL_ERROR "${what} \"${version}\": each number is at most 65535")
    endif()
  endforeach()
  list(JOIN parts ", " numbers)
  set(${out} "${numbers}" PARENT_SCOPE)
endfunction()

# ts_launcher_program(target [WINDOWED] [NAME name] [ICON file] [PRODUCT_NAME text]
#   [COMPANY text] [DESCRIPTION text] [PRODUCT_VERSION v] [FILE_VERSION v] [COPYRIGHT text]
#   [CONSOLE_NAME name] [WINDOWED_NAME name] [NOT_SHIPPED])
# One launcher program from the launcher's sources, branded as given; what is not given comes
# from the cache variables above. WINDOWED links it for the windows subsystem. CONSOLE_NAME
# and WINDOWED_NAME are the two programs' names, which the windowed one uses to find its pair;
# NAME defaults to the one of its kind. NOT_SHIPPED: a build for tests, kept out of dist/.
function(ts_launcher_program target)
  set(brand ICON PRODUCT_NAME COMPANY DESCRIPTION PRODUCT_VERSION FILE_VERSION COPYRIGHT)
  cmake_parse_arguments(ARG "WINDOWED;NOT_SHIPPED" "NAME;CONSOLE_NAME;WINDOWED_NAME;${brand}" ""
    ${ARGN})
  foreach(value ${brand})
    if(NOT DEFINED ARG_${value})
      set(ARG_${value} "${TS_LAUNCHER_${value}}")
    endif()
  endforeach()
  if("${ARG_CONSOLE_NAME}" STREQUAL "")
    set(ARG_CONSOLE_NAME "${TS_LAUNCHER_NAME}")
  endif()
  if("${ARG_WINDOWED_NAME}" STREQUAL "")
    set(ARG_WINDOWED_NAME "${TS_LAUNCHER_WINDOWED_NAME}")
  endif()
  if("${ARG_NAME}" STREQUAL "")
    set(ARG_NAME "${ARG_CONSOLE_NAME}")
    if(ARG_WINDOWED)
      set(ARG_NAME "${ARG_WINDOWED_NAME}")
    endif()
  endif()
  foreach(name ARG_NAME ARG_CONSOLE_NAME ARG_WINDOWED_NAME)
    if("${${name}}" STREQUAL "" OR "${${name}}" MATCHES "[\\\\/:*?\"<>|]")
      message(FATAL_ERROR "launcher name \"${${name}}\" cannot name a file")
    endif()
  endforeach()
  get_filename_component(icon "${ARG_ICON}" ABSOLUTE BASE_DIR ${CMAKE_SOURCE_DIR})
  if(NOT EXISTS "${icon}")
    message(FATAL_ERROR "launcher icon ${icon} does not exist")
  endif()

  _ts_version_numbers(TS_FILE_VERSION_NUMBERS "file version" "${ARG_FILE_VERSION}")
  _ts_version_numbers(TS_PRODUCT_VERSION_NUMBERS "product version" "${ARG_PRODUCT_VERSION}")
  _ts_rc_string(TS_ICON "${icon}")
  _ts_rc_string(TS_PRODUCT_NAME "${ARG_PRODUCT_NAME}")
  _ts_rc_string(TS_COMPANY "${ARG_COMPANY}")
  _ts_rc_string(TS_DESCRIPTION "${ARG_DESCRIPTION}")
  _ts_rc_string(TS_PRODUCT_VERSION "${ARG_PRODUCT_VERSION}")
  _ts_rc_string(TS_FILE_VERSION "${ARG_FILE_VERSION}")
  _ts_rc_string(TS_INTERNAL_NAME "${ARG_NAME}")
  _ts_rc_string(TS_ORIGINAL_FILENAME "${ARG_NAME}.exe")
  _ts_rc_string(TS_CONSOLE_NAME "${ARG_CONSOLE_NAME}")
  _ts_rc_string(TS_WINDOWED_NAME "${ARG_WINDOWED_NAME}")
  set(TS_COPYRIGHT_LINE "")
  if(NOT ARG_COPYRIGHT STREQUAL "")
    _ts_rc_string(copyright "${ARG_COPYRIGHT}")
    set(TS_COPYRIGHT_LINE "#define TS_BRAND_COPYRIGHT ${copyright}")
  endif()
  set(resources ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.rc)
  configure_file(${CMAKE_SOURCE_DIR}/launcher/res/program_resources.rc.in ${resources} @ONLY)

  set(res ${CMAKE_SOURCE_DIR}/launcher/res)
  add_executable(${target} ${CMAKE_SOURCE_DIR}/launcher/main.cpp ${resources})
  # Components with texts of their own keep them in string blocks beside the catalogue.
  if(TS_RUNTIME_STRINGS)
    target_sources(${target} PRIVATE ${TS_RUNTIME_STRINGS})
  endif()
  target_include_directories(${target} PRIVATE ${res})
  target_link_libraries(${target} PRIVATE launcher_program)
  target_link_options(${target} PRIVATE -municode)
  if(ARG_WINDOWED)
    target_link_options(${target} PRIVATE -mwindows)
  endif()
  set_target_properties(${target} PROPERTIES OUTPUT_NAME "${ARG_NAME}")
  set_property(SOURCE ${resources} APPEND PROPERTY OBJECT_DEPENDS
    ${res}/javastub.rc ${res}/strings.rc ${res}/dialogs.rc ${res}/javastub.manifest ${icon})
  if(ARG_NOT_SHIPPED)
    ts_own_code(${target})
  else()
    ts_deliverable(${target})
    # What we ship stays within 400 KiB.
    add_test(NAME ${target}.size_budget
      COMMAND ${CMAKE_SOURCE_DIR}/tools/check-size 409600 $<TARGET_FILE:${target}>)
  endif()
endfunction()
