# What `cmake --install` (and the Debian package, which installs under /usr)
# lays out under the prefix:
#   lib/<multiarch>/brelvane/
#                        the program directory, as in the build tree: the
#                        executable with asapi.dll (the program's encoder,
#                        over ffmpeg's libraries and the system's ffmpeg),
#                        Profiles/, translations/ (brelvane_<language>.qm)
#                        and the help page beside it; it holds
#                        programs built for one architecture, hence the
#                        multiarch folder (x86_64-linux-gnu, ...)
#   bin/brelvane         a link to the executable, so the program is on the PATH;
#                        the program finds its directory from the real
#                        executable's path, so the link does not mislead it
#   bin/brelvane-cli     the same for the command line front end, which lives
#                        beside the window's executable and shares its
#                        profiles, preferences and encoder
#   share/applications/  the desktop entry, with the video types it opens
#   share/metainfo/      what software centres show of the program
#   share/icons/hicolor/ the icon, scalable and drawn at the usual sizes
#   share/man/man1/      the manual pages of both programs
#   share/bash-completion/completions/
#                        completion of brelvane-cli's commands and options
#
# What the installed program needs at run time, for a package's dependencies:
# Qt 6 (Core, Concurrent, Gui, Widgets, DBus), libmediainfo, ffmpeg's libraries
# and ffmpeg (Debian packages libqt6widgets6, libqt6concurrent6, libqt6dbus6,
# libmediainfo0v5, libavformat59 and ffmpeg). asapi.dll reads every input with
# libavformat and does a join that copies both streams with it; everything
# that encodes is an ffmpeg run, so without the ffmpeg package no conversion
# can run.
if(CMAKE_LIBRARY_ARCHITECTURE)
  set(BRELVANE_INSTALL_PROGRAM_DIR lib/${CMAKE_LIBRARY_ARCHITECTURE}/brelvane)
else()
  set(BRELVANE_INSTALL_PROGRAM_DIR lib/brelvane)
endif()

install(TARGETS brelvane brelvane-cli asapi RUNTIME DESTINATION ${BRELVANE_INSTALL_PROGRAM_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/profiles/
        DESTINATION ${BRELVANE_INSTALL_PROGRAM_DIR}/Profiles PATTERN ".*" EXCLUDE)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/help/ DESTINATION ${BRELVANE_INSTALL_PROGRAM_DIR})
install(FILES ${BRELVANE_QM_FILES} DESTINATION ${BRELVANE_INSTALL_PROGRAM_DIR}/translations)

# Links are made at install time inside the prefix chosen then (--prefix,
# DESTDIR), not the one known when configuring.
install(CODE "file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
  file(CREATE_LINK \"../${BRELVANE_INSTALL_PROGRAM_DIR}/brelvane\"
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/brelvane\" SYMBOLIC)")
install(CODE "file(CREATE_LINK \"../${BRELVANE_INSTALL_PROGRAM_DIR}/brelvane-cli\"
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/brelvane-cli\" SYMBOLIC)")

install(FILES ${CMAKE_CURRENT_LIST_DIR}/brelvane.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/art/brelvane.svg
        DESTINATION share/icons/hicolor/scalable/apps)

install(FILES ${CMAKE_CURRENT_LIST_DIR}/org.example.brelvane.metainfo.xml DESTINATION share/metainfo)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/brelvane-cli.bash-completion
        DESTINATION share/bash-completion/completions RENAME brelvane-cli)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION share/doc/brelvane)

# Icon themes without SVG support, and menus that want a picture of their own
# size, get pictures drawn from the same source.
set(BRELVANE_ICON_FILES)
foreach(size 16 32 48 64 128 256)
  set(icon ${CMAKE_BINARY_DIR}/desktop/icons/${size}x${size}/brelvane.png)
  add_custom_command(
    OUTPUT ${icon}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/desktop/icons/${size}x${size}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:brelvane_render_picture> application-icon ${size} ${size} ${icon}
    DEPENDS brelvane_render_picture ${CMAKE_SOURCE_DIR}/art/brelvane.svg
    COMMENT "Drawing the ${size} x ${size} desktop icon")
  list(APPEND BRELVANE_ICON_FILES ${icon})
  install(FILES ${icon} DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()

# Manual pages are installed compressed, as man-db and Debian expect them;
# -n keeps the time stamp out, so a rebuild gives the same package.
set(BRELVANE_MAN_PAGES)
foreach(page brelvane.1 brelvane-cli.1)
  set(compressed ${CMAKE_BINARY_DIR}/desktop/man/${page}.gz)
  add_custom_command(
    OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/desktop/man
    COMMAND gzip -9nc ${CMAKE_CURRENT_LIST_DIR}/man/${page} > ${compressed}
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/man/${page}
    COMMENT "Compressing the manual page ${page}")
  list(APPEND BRELVANE_MAN_PAGES ${compressed})
  install(FILES ${compressed} DESTINATION share/man/man1)
endforeach()

add_custom_target(desktop_files ALL DEPENDS ${BRELVANE_ICON_FILES} ${BRELVANE_MAN_PAGES})
