# Sources of src/settings: add core files to brelvane_core, widget files to brelvane_gui.
target_sources(brelvane_core PRIVATE settings/workingselection.h)
