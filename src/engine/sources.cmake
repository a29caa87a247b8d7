# Sources of src/engine: add core files to brelvane_core, widget files to brelvane_gui.
target_sources(brelvane_core PRIVATE
  engine/livesettings.h
  engine/commandline.h engine/commandline.cpp
  engine/progressparser.h engine/progressparser.cpp
  engine/progresstracker.h engine/progresstracker.cpp
  engine/outputtail.h engine/outputtail.cpp
  engine/encoderrun.h engine/encoderrun.cpp)
