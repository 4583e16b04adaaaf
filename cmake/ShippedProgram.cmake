# qelvan_ship_program(target)
# The program on the medium is stripped; its symbols and debugging information stay beside the build in
# symbols/<program>.exe.debug, which the program names in its .gnu_debuglink section (with the file's
# checksum), so that gdb and addr2line read a crash address of a till's copy against it.
set(QELVAN_SYMBOLS_DIR ${CMAKE_BINARY_DIR}/symbols)
file(MAKE_DIRECTORY ${QELVAN_SYMBOLS_DIR})
function(qelvan_ship_program target)
  set(symbols ${QELVAN_SYMBOLS_DIR}/${target}.exe.debug)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> ${symbols}
    COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=${symbols} $<TARGET_FILE:${target}>
    COMMENT "Stripping ${target}.exe; its symbols go to symbols/${target}.exe.debug"
    VERBATIM)
endfunction()
