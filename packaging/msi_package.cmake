# ts_msi_package(OUTPUT file.msi TABLES folder... [BINARIES name=path...] [FILES key=path...]
#                [PROPERTIES name=value...] [DROP table...] [DEPENDS target-or-file...])
# Builds an installer package from .idt text tables with make-msi (msibuild and gcab). The
# tables are UTF-8; make-msi checks them against the package's code page with iconv.
find_program(TS_MSIBUILD msibuild REQUIRED)
find_program(TS_GCAB gcab REQUIRED)
find_program(TS_ICONV iconv REQUIRED)
set(TS_MAKE_MSI ${CMAKE_CURRENT_LIST_DIR}/make-msi)

function(ts_msi_package)
  cmake_parse_arguments(ARG "" "OUTPUT" "TABLES;BINARIES;FILES;PROPERTIES;DROP;DEPENDS" ${ARGN})
  set(arguments)
  # The 64-bit build's packages carry its 64-bit custom-action libraries.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    list(APPEND arguments --platform x64)
  endif()
  set(depends ${TS_MAKE_MSI} ${ARG_DEPENDS})
  foreach(folder IN LISTS ARG_TABLES)
    list(APPEND arguments ${folder})
    file(GLOB tables CONFIGURE_DEPENDS ${folder}/*.idt)
    list(APPEND depends ${tables})
  endforeach()
  foreach(pair IN LISTS ARG_BINARIES)
    list(APPEND arguments --binary ${pair})
  endforeach()
  foreach(pair IN LISTS ARG_FILES)
    list(APPEND arguments --file ${pair})
    string(REGEX REPLACE "^[^=]*=" "" path "${pair}")
    list(APPEND depends ${path})
  endforeach()
  foreach(setting IN LISTS ARG_PROPERTIES)
    list(APPEND arguments --property ${setting})
  endforeach()
  foreach(table IN LISTS ARG_DROP)
    list(APPEND arguments --drop ${table})
  endforeach()
  add_custom_command(OUTPUT ${ARG_OUTPUT}
    COMMAND ${TS_MAKE_MSI} ${ARG_OUTPUT} ${arguments}
    DEPENDS ${depends}
    VERBATIM)
endfunction()
