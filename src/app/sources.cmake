# Sources of src/app: add core files to brelvane_core, widget files to brelvane_gui.
target_sources(brelvane_core PRIVATE app/columnsizing.h app/columnsizing.cpp)
target_sources(brelvane_core PRIVATE app/programinfo.h app/programinfo.cpp)
target_sources(brelvane_gui PRIVATE app/aboutform.h app/aboutform.cpp)
