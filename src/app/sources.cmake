# Sources of src/app: add core files to brelvane_core, widget files to brelvane_gui.
