# qelvan_add_tests(NAME SOURCES files... [WINVER ver] [LIBS libs...] [DEPENDS targets...] [UI])
# Builds one GoogleTest executable linked with the wizard's core, its resources and the test support
# library, and registers each TEST / TEST_F of the sources with ctest as "NAME.Suite.Test"; ctest runs
# them under Wine. WINVER is the Windows version the executable sees (win98, nt40, winxp, ...).
# UI marks tests that show windows; they use the Xvfb display that scripts/test starts.
set(QELVAN_TEST_DIR ${CMAKE_BINARY_DIR}/tests)
function(qelvan_add_tests name)
  cmake_parse_arguments(ARG "UI" "WINVER" "SOURCES;LIBS;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} $<TARGET_OBJECTS:qelvan_resources>)
  target_link_libraries(${name} PRIVATE qelvan_core qelvan_test_support gtest_main gtest ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QELVAN_TEST_DIR})
  if(ARG_DEPENDS)
    add_dependencies(${name} ${ARG_DEPENDS})
  endif()
  set(env "QELVAN_MEDIUM_DIR=${QELVAN_MEDIUM_DIR}" "QELVAN_TEST_DIR=${QELVAN_TEST_DIR}"
          "QELVAN_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
  if(ARG_WINVER)
    list(APPEND env "QELVAN_WINVER=${ARG_WINVER}")
  endif()
  foreach(source ${ARG_SOURCES})
    get_filename_component(path ${source} ABSOLUTE)
    set(text "")
    file(READ ${path} text)
    string(REGEX MATCHALL "\n(TEST|TEST_F)\\([ \t\r\n]*[A-Za-z0-9_]+[ \t\r\n]*,[ \t\r\n]*[A-Za-z0-9_]+"
           found "\n${text}")
    foreach(hit ${found})
      string(REGEX REPLACE ".*\\([ \t\r\n]*([A-Za-z0-9_]+)[ \t\r\n]*,[ \t\r\n]*([A-Za-z0-9_]+)" "\\1.\\2"
             test "${hit}")
      add_test(NAME ${name}.${test} COMMAND ${name} --gtest_filter=${test}
               WORKING_DIRECTORY ${QELVAN_TEST_DIR})
      set_tests_properties(${name}.${test} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300
                           FAIL_REGULAR_EXPRESSION "\\[  PASSED  \\] 0 tests")
      if(ARG_UI)
        set_tests_properties(${name}.${test} PROPERTIES LABELS ui)
      endif()
    endforeach()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${path})
  endforeach()
endfunction()

# qelvan_lay_out_copies(TARGET target NAME copies_target FILES files...)
# Copies the built file of target to every path of FILES (the test directory, the medium's per-system
# folders) whenever it is rebuilt; copies_target is the target the users depend on.
function(qelvan_lay_out_copies)
  cmake_parse_arguments(ARG "" "TARGET;NAME" "FILES" ${ARGN})
  set(commands)
  foreach(copy ${ARG_FILES})
    list(APPEND commands COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${ARG_TARGET}> ${copy})
  endforeach()
  add_custom_command(OUTPUT ${ARG_FILES} ${commands} DEPENDS ${ARG_TARGET})
  add_custom_target(${ARG_NAME} ALL DEPENDS ${ARG_FILES})
endfunction()
