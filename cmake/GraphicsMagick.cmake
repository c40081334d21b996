# sonorail_use_graphicsmagick(TARGET): GraphicsMagick's C headers for TARGET and the soname
# by which it opens the library at run time (SONORAIL_GRAPHICSMAGICK_SONAME).
include_guard(GLOBAL)
find_package(PkgConfig REQUIRED)
pkg_check_modules(GRAPHICSMAGICK REQUIRED GraphicsMagick)
find_library(GRAPHICSMAGICK_LIBRARY NAMES GraphicsMagick HINTS ${GRAPHICSMAGICK_LIBRARY_DIRS} REQUIRED)
execute_process(COMMAND ${CMAKE_OBJDUMP} -p ${GRAPHICSMAGICK_LIBRARY}
  OUTPUT_VARIABLE graphicsmagick_headers RESULT_VARIABLE graphicsmagick_objdump_status)
string(REGEX MATCH "SONAME +([^\n ]+)" graphicsmagick_soname_line "${graphicsmagick_headers}")
if(NOT graphicsmagick_objdump_status EQUAL 0 OR NOT CMAKE_MATCH_1)
  message(FATAL_ERROR "Cannot read the soname of ${GRAPHICSMAGICK_LIBRARY}")
endif()
set(SONORAIL_GRAPHICSMAGICK_SONAME ${CMAKE_MATCH_1} CACHE INTERNAL "The soname the program opens GraphicsMagick by")
message(STATUS "GraphicsMagick: ${SONORAIL_GRAPHICSMAGICK_SONAME}")

function(sonorail_use_graphicsmagick target)
  target_include_directories(${target} PRIVATE ${GRAPHICSMAGICK_INCLUDE_DIRS})
  target_compile_definitions(${target} PRIVATE SONORAIL_GRAPHICSMAGICK_SONAME="${SONORAIL_GRAPHICSMAGICK_SONAME}")
  target_link_libraries(${target} PRIVATE ${CMAKE_DL_LIBS})
endfunction()
