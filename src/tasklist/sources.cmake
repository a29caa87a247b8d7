# Sources of src/tasklist: add core files to brelvane_core, widget files to brelvane_gui.
target_sources(brelvane_core PRIVATE
  tasklist/timetext.h tasklist/timetext.cpp
  tasklist/mediaprobe.h tasklist/mediaprobe.cpp
  tasklist/orderedprobes.h tasklist/orderedprobes.cpp
  tasklist/taskitem.h
  tasklist/taskrow.h tasklist/taskrow.cpp
  tasklist/tasklistmodel.h tasklist/tasklistmodel.cpp
  tasklist/inputtypes.h tasklist/inputtypes.cpp
  tasklist/filenamebytes.h tasklist/filenamebytes.cpp
  tasklist/naturalorder.h tasklist/naturalorder.cpp
  tasklist/listhistory.h tasklist/listhistory.cpp
  tasklist/tasklist.h tasklist/tasklist.cpp)
