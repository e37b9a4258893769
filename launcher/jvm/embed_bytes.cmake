# Writes a file's bytes as a C++ array: cmake -DINPUT=FILE -DOUTPUT=HEADER -DNAME=kName -P ...
file(READ ${INPUT} hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n    "
  bytes "${bytes}")
file(WRITE ${OUTPUT} "#pragma once\n// Generated from ${INPUT}.\ninline constexpr unsigned char ${NAME}[] = {\n    ${bytes}\n};\n")
