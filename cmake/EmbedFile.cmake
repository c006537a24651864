# cmake -DINPUT=file -DOUTPUT=file.cpp -DSYMBOL=name -P EmbedFile.cmake
# Writes a C++ source defining `std::string_view zestovar::embedded::SYMBOL()` with the file's bytes.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" length)
math(EXPR size "${length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
string(REGEX REPLACE "(('\\\\x[0-9a-f][0-9a-f]',){16})" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT}.tmp "// Generated from ${INPUT}\n#include <string_view>\n\nnamespace zestovar::embedded {\nnamespace {\nconstexpr char kBytes[] = {\n${bytes}'\\0'};\n}\nstd::string_view ${SYMBOL}() { return {kBytes, ${size}}; }\n}  // namespace zestovar::embedded\n")
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
