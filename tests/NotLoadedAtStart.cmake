# cmake -DPROGRAM=path -DLIBRARIES=regex -DWHAT=text -P NotLoadedAtStart.cmake: fails when the
# program, or any library it loads at start, needs a library matching LIBRARIES; the program
# opens the module that brings them (WHAT) at the first request that needs it.
execute_process(COMMAND ldd ${PROGRAM} OUTPUT_VARIABLE libraries RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "ldd ${PROGRAM} failed")
endif()
if(libraries MATCHES "${LIBRARIES}")
  message(FATAL_ERROR "${PROGRAM} loads ${WHAT} at start:\n${libraries}")
endif()
