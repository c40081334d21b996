# The Debian package, built by CPack from the install rules: `cpack -G DEB` in a build
# directory (./setup package makes a release build for it and prints the package's path).
#
# Its dependencies are the libraries the program and its help and media modules link, as
# dpkg-shlibdeps finds them, and the packages of what the program only loads while it runs: libVLC's
# plug-ins (the usual formats, MIDI through FluidSynth, the video window), the General MIDI
# sound font the FluidSynth plug-in plays with, the SQLite driver of Qt SQL that the help's
# search index needs, GraphicsMagick, opened at the first PCX or WMF picture, and libdiscid,
# opened at the first online disc lookup.
include_guard(GLOBAL)
include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/GraphicsMagick.cmake)

set(SONORAIL_PACKAGE_MAINTAINER "The Sonorail developers <sonorail@invalid>" CACHE STRING
  "The Debian package's maintainer, as \"Name <address>\"")

# The licence in Debian's machine-readable copyright format, made from LICENSE: every file of
# the package is ours (the sound font, fonts and libraries come from their own packages).
function(sonorail_install_copyright license)
  file(READ "${license}" text)
  string(REGEX REPLACE "^MIT License\n\n" "" text "${text}")
  string(REGEX REPLACE "\n+$" "" text "${text}")
  string(REGEX REPLACE "\n\n" "\n.\n" text "${text}")
  string(REPLACE "\n" "\n " text " ${text}")
  set(copyright "${CMAKE_BINARY_DIR}/packaging/copyright")
  file(WRITE "${copyright}"
    "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
    "Upstream-Name: Sonorail\n"
    "Upstream-Contact: ${SONORAIL_PACKAGE_MAINTAINER}\n\n"
    "Files: *\n"
    "Copyright: 2026 The Sonorail developers\n"
    "License: Expat\n${text}\n")
  install(FILES "${copyright}" DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/sonorail)
endfunction()

# packaging/changelog with the maintainer filled in, compressed as Debian wants it (-n: no name
# or time stamp inside, so the same changelog gives the same bytes).
function(sonorail_install_changelog changelog)
  set(made "${CMAKE_BINARY_DIR}/packaging/changelog.Debian")
  configure_file("${changelog}" "${made}" @ONLY)
  find_program(SONORAIL_GZIP gzip REQUIRED)
  add_custom_command(OUTPUT "${made}.gz"
    COMMAND "${SONORAIL_GZIP}" -9 -n -c "${made}" > "${made}.gz"
    DEPENDS "${made}"
    COMMENT "Compressing the package's changelog")
  add_custom_target(sonorail_changelog ALL DEPENDS "${made}.gz")
  install(FILES "${made}.gz" DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/sonorail)
endfunction()

sonorail_install_copyright(${PROJECT_SOURCE_DIR}/LICENSE)
sonorail_install_changelog(${PROJECT_SOURCE_DIR}/packaging/changelog)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME sonorail)

# The package that holds the GraphicsMagick library the program opens (its soname beside the
# library found at configure time); Debian 12's name when dpkg does not know the file.
function(sonorail_graphicsmagick_package out_var)
  set(package libgraphicsmagick-q16-3)
  get_filename_component(library_dir "${GRAPHICSMAGICK_LIBRARY}" DIRECTORY)
  find_program(SONORAIL_DPKG_QUERY dpkg-query)
  if(SONORAIL_DPKG_QUERY)
    execute_process(COMMAND ${SONORAIL_DPKG_QUERY} -S "${library_dir}/${SONORAIL_GRAPHICSMAGICK_SONAME}"
      OUTPUT_VARIABLE owner RESULT_VARIABLE status ERROR_QUIET)
    if(status EQUAL 0 AND owner MATCHES "^([a-z0-9][a-z0-9+.-]+)(:[a-z0-9-]+)?: ")
      set(package ${CMAKE_MATCH_1})
    endif()
  endif()
  set(${out_var} ${package} PARENT_SCOPE)
endfunction()

sonorail_graphicsmagick_package(SONORAIL_GRAPHICSMAGICK_PACKAGE)
set(SONORAIL_LOADED_PACKAGES
  vlc-plugin-base vlc-plugin-fluidsynth vlc-plugin-video-output timgm6mb-soundfont
  libqt6sql6-sqlite ${SONORAIL_GRAPHICSMAGICK_PACKAGE} libdiscid0)
list(JOIN SONORAIL_LOADED_PACKAGES ", " SONORAIL_LOADED_DEPENDS)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sonorail)
set(CPACK_PACKAGE_VENDOR "The Sonorail developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${SONORAIL_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "multimedia jukebox for music, video, MIDI and audio-CD tracks")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${SONORAIL_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
if(SONORAIL_HOMEPAGE_URL)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${SONORAIL_HOMEPAGE_URL}")
endif()
# CPack puts the summary before it; dpkg indents every line by one space, so a line holds at
# most 79 characters to stay within 80 columns.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Sonorail browses drives and folders for media files filtered by type,
collects them in a play queue and plays it: music (MP3, FLAC, Ogg Vorbis,
Opus, AAC, WMA) with its tags and cover, videos (MP4, MKV, WebM, MOV, MPEG,
WMV, AVI), MIDI songs, wave sounds and the tracks of an audio CD through
libVLC; texts, rich-text documents and pictures show in a viewer window as
their turn comes.
Play modes (backwards, random, continuous, shuffle, intro), albums and M3U/PLS
playlists, a CD information database, a docking toolbar, a help book and
control over D-Bus (MPRIS 2).")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${SONORAIL_LOADED_DEPENDS}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
