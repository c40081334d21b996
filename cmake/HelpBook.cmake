# sonorail_add_help_book(TARGET [SOURCE_DIR dir] [INSTALL_DESTINATION dir])
#
# Compiles the help book at build time: qhelpgenerator turns sonorail.qhp (the pages, contents
# and index) into sonorail.qch and registers it in the collection file sonorail.qhc, as
# sonorail.qhcp says. Both files are then put next to TARGET's executable, where the program
# looks for its read-only data when run from the build tree, and are rebuilt whenever a file of
# the book changes. Building TARGET builds the book.
#
# SOURCE_DIR defaults to src/resources/help. With INSTALL_DESTINATION, both files are installed
# there (for example ${CMAKE_INSTALL_DATADIR}/sonorail). The collection names the book by a
# relative path, so the two files must stay side by side.
#
# qhelpgenerator only warns about a missing page, so when Python 3 is at hand the book is checked
# first (tools/check-help-book.py: every context has its topic, every link and file resolves) and
# the compiled book after, and a problem fails the build.
#
# qhelpgenerator comes with Qt's documentation tools (Debian: qt6-documentation-tools installs
# it as /usr/lib/qt6/libexec/qhelpgenerator). Set SONORAIL_QHELPGENERATOR to use another one.
include_guard(GLOBAL)

set(SONORAIL_HELP_BOOK_DEFAULT_SOURCE_DIR "${CMAKE_CURRENT_LIST_DIR}/../src/resources/help")
set(SONORAIL_HELP_BOOK_CHECKER "${CMAKE_CURRENT_LIST_DIR}/../tools/check-help-book.py")

function(sonorail_find_qhelpgenerator)
  if(SONORAIL_QHELPGENERATOR)
    return()
  endif()
  # Qt 6's own directories come before the search path, where "qhelpgenerator" may be Qt 5's.
  set(hints)
  if(QT6_INSTALL_PREFIX)
    list(APPEND hints "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_LIBEXECS}" "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}")
  endif()
  list(APPEND hints /usr/lib/qt6/libexec /usr/lib/qt6/bin)
  find_program(SONORAIL_QHELPGENERATOR NAMES qhelpgenerator qhelpgenerator-qt6
    HINTS ${hints}
    DOC "Qt's help generator, which compiles the help book")
  if(NOT SONORAIL_QHELPGENERATOR)
    message(FATAL_ERROR "qhelpgenerator not found: install Qt's documentation tools "
      "(Debian: apt-get install qt6-documentation-tools) or set SONORAIL_QHELPGENERATOR")
  endif()
  message(STATUS "Help book generator: ${SONORAIL_QHELPGENERATOR}")
endfunction()

function(sonorail_add_help_book target)
  cmake_parse_arguments(PARSE_ARGV 1 book "" "SOURCE_DIR;INSTALL_DESTINATION" "")
  if(book_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "sonorail_add_help_book: unknown arguments ${book_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT book_SOURCE_DIR)
    set(book_SOURCE_DIR "${SONORAIL_HELP_BOOK_DEFAULT_SOURCE_DIR}")
  endif()
  get_filename_component(source_dir "${book_SOURCE_DIR}" ABSOLUTE)
  if(NOT EXISTS "${source_dir}/sonorail.qhcp")
    message(FATAL_ERROR "sonorail_add_help_book: no sonorail.qhcp in ${source_dir}")
  endif()
  sonorail_find_qhelpgenerator()
  find_package(Python3 COMPONENTS Interpreter QUIET)

  # qhelpgenerator writes the book beside the project files, so it works on a copy in the build
  # tree; the copy is made afresh each time, so a page removed from the sources leaves the book.
  set(stage "${CMAKE_CURRENT_BINARY_DIR}/${target}_help_book")
  set(book "${stage}/sonorail.qch")
  set(collection "${stage}/sonorail.qhc")
  file(GLOB_RECURSE book_sources CONFIGURE_DEPENDS "${source_dir}/*")
  set(check_sources)
  set(check_book)
  if(Python3_Interpreter_FOUND)
    set(check_sources COMMAND "${Python3_EXECUTABLE}" "${SONORAIL_HELP_BOOK_CHECKER}" "${stage}")
    set(check_book COMMAND "${Python3_EXECUTABLE}" "${SONORAIL_HELP_BOOK_CHECKER}" "${stage}" --qch "${book}")
  else()
    message(STATUS "Help book: no Python 3, so the book is compiled unchecked")
  endif()
  add_custom_command(
    OUTPUT "${book}" "${collection}"
    COMMAND "${CMAKE_COMMAND}" -E rm -rf "${stage}"
    COMMAND "${CMAKE_COMMAND}" -E copy_directory "${source_dir}" "${stage}"
    ${check_sources}
    COMMAND "${SONORAIL_QHELPGENERATOR}" -s "${stage}/sonorail.qhcp" -o "${collection}"
    ${check_book}
    DEPENDS ${book_sources} "${SONORAIL_HELP_BOOK_CHECKER}"
    COMMENT "Compiling the help book (sonorail.qch, sonorail.qhc)"
    VERBATIM)

  add_custom_target(${target}_help_book
    COMMAND "${CMAKE_COMMAND}" -E make_directory "$<TARGET_FILE_DIR:${target}>"
    COMMAND "${CMAKE_COMMAND}" -E copy_if_different "${book}" "${collection}" "$<TARGET_FILE_DIR:${target}>"
    DEPENDS "${book}" "${collection}"
    VERBATIM)
  add_dependencies(${target} ${target}_help_book)

  if(book_INSTALL_DESTINATION)
    install(FILES "${book}" "${collection}" DESTINATION "${book_INSTALL_DESTINATION}")
  endif()
endfunction()
