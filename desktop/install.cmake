# What `cmake --install` lays out under the prefix:
#   lib/brelvane/        the program directory, as in the build tree: the
#                        executable with asapi.dll (the program's encoder,
#                        over ffmpeg's libraries and the system's ffmpeg),
#                        Profiles/ and the help page beside it
#   bin/brelvane         a link to the executable, so the program is on the PATH;
#                        the program finds its directory from the real
#                        executable's path, so the link does not mislead it
#   bin/brelvane-cli     the same for the command line front end, which lives
#                        beside the window's executable and shares its
#                        profiles, preferences and encoder
#   share/applications/  the desktop entry
#   share/icons/hicolor/ the icon, scalable and as a 256 x 256 picture
#
# What the installed program needs at run time, for a package's dependencies:
# Qt 6 (Core, Concurrent, Gui, Widgets, DBus), libmediainfo, ffmpeg's libraries
# and ffmpeg (Debian packages libqt6widgets6, libqt6concurrent6, libqt6dbus6,
# libmediainfo0v5, libavformat59 and ffmpeg). asapi.dll reads every input with
# libavformat and does a join that copies both streams with it; everything
# that encodes is an ffmpeg run, so without the ffmpeg package no conversion
# can run.
set(BRELVANE_INSTALL_PROGRAM_DIR lib/brelvane)

install(TARGETS brelvane brelvane-cli asapi RUNTIME DESTINATION ${BRELVANE_INSTALL_PROGRAM_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/profiles/
        DESTINATION ${BRELVANE_INSTALL_PROGRAM_DIR}/Profiles PATTERN ".*" EXCLUDE)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/help/ DESTINATION ${BRELVANE_INSTALL_PROGRAM_DIR})

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

# Icon themes without SVG support get a picture drawn from the same source.
set(BRELVANE_ICON_PNG ${CMAKE_BINARY_DIR}/desktop/brelvane.png)
add_custom_command(
  OUTPUT ${BRELVANE_ICON_PNG}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/desktop
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:brelvane_render_picture> application-icon 256 256 ${BRELVANE_ICON_PNG}
  DEPENDS brelvane_render_picture ${CMAKE_SOURCE_DIR}/art/brelvane.svg
  COMMENT "Drawing the 256 x 256 desktop icon")
add_custom_target(desktop_icon ALL DEPENDS ${BRELVANE_ICON_PNG})
install(FILES ${BRELVANE_ICON_PNG} DESTINATION share/icons/hicolor/256x256/apps)
