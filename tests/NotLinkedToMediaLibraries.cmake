# cmake -DPROGRAM=path -P NotLinkedToMediaLibraries.cmake: fails when the program, or any
# library it loads at start, needs libVLC, libcdio or TagLib; the media module brings them
# at the first request that needs them.
execute_process(COMMAND ldd ${PROGRAM} OUTPUT_VARIABLE libraries RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "ldd ${PROGRAM} failed")
endif()
if(libraries MATCHES "lib(vlc|vlccore|cdio|tag)\\.so")
  message(FATAL_ERROR "${PROGRAM} loads a media library at start:\n${libraries}")
endif()
