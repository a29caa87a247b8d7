# The task list: its rows, the media facts read for them, the time text and
# the columns' widths.
add_library(brelvane_tasklist STATIC
  tasklist/timetext.h tasklist/timetext.cpp
  tasklist/mediaprobe.h tasklist/mediaprobe.cpp
  tasklist/orderedprobes.h tasklist/orderedprobes.cpp
  tasklist/taskitem.h
  tasklist/taskrow.h tasklist/taskrow.cpp
  tasklist/tasklistmodel.h tasklist/tasklistmodel.cpp
  tasklist/columnsizing.h tasklist/columnsizing.cpp
  tasklist/inputtypes.h tasklist/inputtypes.cpp
  tasklist/filenamebytes.h tasklist/filenamebytes.cpp
  tasklist/naturalorder.h tasklist/naturalorder.cpp
  tasklist/listhistory.h tasklist/listhistory.cpp
  tasklist/tasklist.h tasklist/tasklist.cpp)
brelvane_layer_root(brelvane_tasklist tasklist)
target_link_libraries(brelvane_tasklist PUBLIC brelvane_platform brelvane_contract Qt6::Core
                      PRIVATE mediainfo_c)
