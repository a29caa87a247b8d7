# Sources of src/settings: add core files to brelvane_core, widget files to brelvane_gui.
target_sources(brelvane_core PRIVATE settings/workingselection.h settings/livesettings.h
  settings/programinfo.h settings/programinfo.cpp)
# Settings files, profiles and the encoder options made of them.
target_sources(brelvane_core PRIVATE
  settings/inifile.h settings/inifile.cpp
  settings/preferences.h settings/preferences.cpp
  settings/profiles.h settings/profiles.cpp
  settings/encodervalues.h settings/encodervalues.cpp
  settings/optionbuilder.h settings/optionbuilder.cpp
  settings/outputchoices.h settings/outputchoices.cpp)
# The two settings dialogs.
target_sources(brelvane_gui PRIVATE
  settings/settingform.h settings/settingform.cpp
  settings/opsettingform.h settings/opsettingform.cpp)
