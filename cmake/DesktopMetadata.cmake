# What the desktop and the system know the program by, besides its desktop entry and icon.
#
# sonorail_install_metainfo(TEMPLATE): the AppStream metainfo, made from TEMPLATE (its line
# @SONORAIL_METAINFO_WEB@ becomes the web links below) and installed in share/metainfo.
# Software centres fetch screenshots from the web, so they are listed only once the project
# has a public place: SONORAIL_HOMEPAGE_URL adds the home page, SONORAIL_SCREENSHOTS_URL (where
# the repository's docs/ folder is served, for example
# https://raw.githubusercontent.com/OWNER/sonorail/main/docs) adds the pictures of the main
# window, the viewer, the setup dialog and the help window. Without them the metainfo stays
# valid and names no address that would fail.
#
# sonorail_install_man_page(PAGE): the man page in share/man/man1, compressed as Debian
# wants it when gzip is at hand.
include_guard(GLOBAL)
include(GNUInstallDirs)

set(SONORAIL_HOMEPAGE_URL "" CACHE STRING "The project's public home page, for the AppStream metainfo")
set(SONORAIL_SCREENSHOTS_URL "" CACHE STRING
  "Where the repository's docs/ folder is served, for the AppStream metainfo's screenshots")

# The file name and caption of each screenshot, the first one the default.
set(SONORAIL_METAINFO_SCREENSHOTS
  "toolbar-docked.png|The main window with its docked toolbar: file browser, play modes, type filters and the play queue"
  "viewer.png|The viewer window showing a formatted document"
  "setup.png|The setup dialog"
  "help-window.png|The help window with its contents, index and search")

function(sonorail_metainfo_web_links out_var)
  set(links "")
  if(SONORAIL_HOMEPAGE_URL)
    string(APPEND links "  <url type=\"homepage\">${SONORAIL_HOMEPAGE_URL}</url>\n\n")
  endif()
  if(SONORAIL_SCREENSHOTS_URL)
    string(REGEX REPLACE "/+$" "" base "${SONORAIL_SCREENSHOTS_URL}")
    string(APPEND links "  <screenshots>\n")
    set(type " type=\"default\"")
    foreach(entry IN LISTS SONORAIL_METAINFO_SCREENSHOTS)
      string(REPLACE "|" ";" fields "${entry}")
      list(GET fields 0 file)
      list(GET fields 1 caption)
      string(APPEND links "    <screenshot${type}>\n      <caption>${caption}</caption>\n"
                          "      <image>${base}/${file}</image>\n    </screenshot>\n")
      set(type "")
    endforeach()
    string(APPEND links "  </screenshots>\n\n")
  endif()
  set(${out_var} "${links}" PARENT_SCOPE)
endfunction()

function(sonorail_install_metainfo template)
  get_filename_component(template "${template}" ABSOLUTE)
  sonorail_metainfo_web_links(SONORAIL_METAINFO_WEB)
  # Named after the component's identifier, as AppStream wants it.
  file(READ "${template}" text)
  if(NOT text MATCHES "<id>([^<]+)</id>")
    message(FATAL_ERROR "No component <id> in ${template}")
  endif()
  set(metainfo "${CMAKE_CURRENT_BINARY_DIR}/${CMAKE_MATCH_1}.metainfo.xml")
  configure_file("${template}" "${metainfo}" @ONLY)
  install(FILES "${metainfo}" DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endfunction()

function(sonorail_install_man_page page)
  get_filename_component(page "${page}" ABSOLUTE)
  get_filename_component(name "${page}" NAME)
  find_program(SONORAIL_GZIP gzip)
  if(NOT SONORAIL_GZIP)
    install(FILES "${page}" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    return()
  endif()
  # -n: no name or time stamp inside, so the same page gives the same bytes.
  set(compressed "${CMAKE_CURRENT_BINARY_DIR}/${name}.gz")
  add_custom_command(OUTPUT "${compressed}"
    COMMAND "${SONORAIL_GZIP}" -9 -n -c "${page}" > "${compressed}"
    DEPENDS "${page}"
    COMMENT "Compressing the man page ${name}")
  add_custom_target(sonorail_man_page ALL DEPENDS "${compressed}")
  install(FILES "${compressed}" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
