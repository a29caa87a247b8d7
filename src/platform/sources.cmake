# Seam interfaces are header-only; the Qt implementations need widgets or D-Bus.
target_sources(brelvane_core PRIVATE
  platform/messages.h platform/shellopener.h platform/poweroff.h platform/desktopseams.h)
# The user's language, for the window and the command line alike.
target_sources(brelvane_core PRIVATE platform/translations.h platform/translations.cpp)
target_sources(brelvane_gui PRIVATE
  platform/choosers.h
  platform/qtmessages.h platform/qtmessages.cpp
  platform/qtchoosers.h platform/qtchoosers.cpp
  platform/qtshellopener.h platform/qtshellopener.cpp
  platform/logindpoweroff.h platform/logindpoweroff.cpp
  platform/jobnotices.h platform/dbusjobnotices.h platform/dbusjobnotices.cpp)
target_sources(brelvane_gui PRIVATE platform/mainwindowdialog.h platform/mainwindowdialog.cpp)
