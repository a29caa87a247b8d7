# Settings files, profiles and the encoder options made of them, and the
# program's identity values.
add_library(brelvane_settings STATIC
  settings/workingselection.h
  settings/programinfo.h settings/programinfo.cpp
  settings/inifile.h settings/inifile.cpp
  settings/preferences.h settings/preferences.cpp
  settings/profiles.h settings/profiles.cpp
  settings/encodervalues.h settings/encodervalues.cpp
  settings/encoderpieces.h settings/encoderpieces.cpp
  settings/optionbuilder.h settings/optionbuilder.cpp
  settings/outputchoices.h settings/outputchoices.cpp)
brelvane_layer_root(brelvane_settings settings)
target_link_libraries(brelvane_settings PUBLIC brelvane_platform brelvane_contract Qt6::Core)

# The two settings dialogs.
add_library(brelvane_settings_gui STATIC
  settings/settingform.h settings/settingform.cpp
  settings/opsettingform.h settings/opsettingform.cpp)
target_link_libraries(brelvane_settings_gui PUBLIC brelvane_settings brelvane_platform_gui)
