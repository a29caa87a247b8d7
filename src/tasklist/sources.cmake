# Sources of src/tasklist: add core files to brelvane_core, widget files to brelvane_gui.
