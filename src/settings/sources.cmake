# Sources of src/settings: add core files to brelvane_core, widget files to brelvane_gui.
