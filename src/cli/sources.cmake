# brelvane-cli: the window's job from the command line. It links the core
# only: no widget, no display needed.
add_executable(brelvane-cli
  cli/main.cpp
  cli/exitcodes.h
  cli/clirequest.h
  cli/cliarguments.h cli/cliarguments.cpp
  cli/clioptions.h cli/clioptions.cpp
  cli/console.h cli/console.cpp
  cli/interruptsignals.h cli/interruptsignals.cpp
  cli/terminalmessages.h cli/terminalmessages.cpp
  cli/progressprinter.h cli/progressprinter.cpp
  cli/clisettings.h cli/clisettings.cpp
  cli/profileselection.h cli/profileselection.cpp
  cli/inputintake.h cli/inputintake.cpp
  cli/rowordering.h cli/rowordering.cpp
  cli/joincommand.h cli/joincommand.cpp)
brelvane_layer_root(brelvane-cli cli)
target_link_libraries(brelvane-cli PRIVATE brelvane_frontend)
add_dependencies(brelvane-cli program_files)
