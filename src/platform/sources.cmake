# The seams to the desktop, how the program spells paths and the user's
# language belong to the core; the seams' Qt implementations need widgets or
# D-Bus.
add_library(brelvane_platform STATIC
  platform/filepaths.h platform/filepaths.cpp
  platform/translations.h platform/translations.cpp
  platform/messages.h platform/shellopener.h platform/poweroff.h platform/desktopseams.h
  platform/choosers.h platform/jobnotices.h)
brelvane_layer_root(brelvane_platform platform)
target_link_libraries(brelvane_platform PUBLIC Qt6::Core)

add_library(brelvane_platform_gui STATIC
  platform/qtmessages.h platform/qtmessages.cpp
  platform/qtchoosers.h platform/qtchoosers.cpp
  platform/qtshellopener.h platform/qtshellopener.cpp
  platform/logindpoweroff.h platform/logindpoweroff.cpp
  platform/dbusjobnotices.h platform/dbusjobnotices.cpp
  platform/mainwindowdialog.h platform/mainwindowdialog.cpp)
target_link_libraries(brelvane_platform_gui PUBLIC brelvane_platform Qt6::Widgets Qt6::DBus)
