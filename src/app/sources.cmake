# Sources of src/app: add core files to brelvane_core, widget files to brelvane_gui.
target_sources(brelvane_core PRIVATE app/columnsizing.h app/columnsizing.cpp)
target_sources(brelvane_core PRIVATE app/jobsummary.h app/jobsummary.cpp)
target_sources(brelvane_core PRIVATE app/jobpresenter.h app/jobpresenter.cpp)
target_sources(brelvane_gui PRIVATE app/aboutform.h app/aboutform.cpp)
target_sources(brelvane_gui PRIVATE app/poweroffform.h app/poweroffform.cpp)

# The button look and the artwork, drawn from the SVG sources in art/ at run time.
target_sources(brelvane_gui PRIVATE
  app/look/pictures.h app/look/pictures.cpp
  app/look/imagebutton.h app/look/imagebutton.cpp
  app/look/toolbarlook.h app/look/toolbarlook.cpp
  app/resources.qrc)
target_link_libraries(brelvane_gui PRIVATE Qt6::Svg)
# Draws one picture into a PNG file; the build uses it for the desktop icon.
add_executable(brelvane_render_picture app/look/renderpicture.cpp)
target_link_libraries(brelvane_render_picture PRIVATE brelvane_gui)
target_sources(brelvane_gui PRIVATE
  app/mainform.h app/mainform.cpp app/mainformlayout.cpp app/mainformtasks.cpp
  app/mainformjob.cpp app/mainformkeys.cpp app/jobmessages.h)
