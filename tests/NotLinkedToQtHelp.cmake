# cmake -DPROGRAM=path -P NotLinkedToQtHelp.cmake: fails when the program, or any library it
# loads at start, needs Qt Help or Qt SQL; the help window's module brings them when asked.
execute_process(COMMAND ldd ${PROGRAM} OUTPUT_VARIABLE libraries RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "ldd ${PROGRAM} failed")
endif()
if(libraries MATCHES "libQt6(Help|Sql)")
  message(FATAL_ERROR "${PROGRAM} loads Qt Help at start:\n${libraries}")
endif()
