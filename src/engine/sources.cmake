# Sources of src/engine: add core files to brelvane_core, widget files to brelvane_gui.
