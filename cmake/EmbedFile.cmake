# zestovar_embed_file(INPUT OUTPUT SYMBOL): writes, at configure time, a C++ source defining
# `std::string_view zestovar::embedded::SYMBOL()` with the bytes of INPUT. A changed INPUT configures
# again; an unchanged one leaves OUTPUT untouched, so nothing is compiled again.
function(zestovar_embed_file input output symbol)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${input})
  file(READ ${input} hex HEX)
  string(LENGTH "${hex}" length)
  math(EXPR size "${length} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
  string(REGEX REPLACE "(('\\\\x[0-9a-f][0-9a-f]',){16})" "\\1\n" bytes "${bytes}")
  file(GENERATE OUTPUT ${output} CONTENT
    "// Generated from ${input}\n#include <string_view>\n\nnamespace zestovar::embedded {\nnamespace {\nconstexpr char kBytes[] = {\n${bytes}'\\0'};\n}\nstd::string_view ${symbol}() { return {kBytes, ${size}}; }\n}  // namespace zestovar::embedded\n")
endfunction()
