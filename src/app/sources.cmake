# The window: the main form and the About and power-off forms, the job's
# words and summary as the window shows them, the button look and the
# artwork (drawn from the SVG sources in art/ at run time).
add_library(brelvane_app STATIC
  app/jobmessages.h
  app/jobsummary.h app/jobsummary.cpp
  app/aboutform.h app/aboutform.cpp
  app/poweroffform.h app/poweroffform.cpp
  app/look/pictures.h app/look/pictures.cpp
  app/look/imagebutton.h app/look/imagebutton.cpp
  app/look/toolbarlook.h app/look/toolbarlook.cpp
  app/resources.qrc
  app/mainform.h app/mainform.cpp app/mainformlayout.cpp app/mainformtasks.cpp
  app/mainformjob.cpp app/mainformkeys.cpp)
brelvane_layer_root(brelvane_app app)
target_link_libraries(brelvane_app PUBLIC brelvane_frontend brelvane_settings_gui brelvane_platform_gui
                      Qt6::Widgets PRIVATE Qt6::Svg)

# Draws one picture into a PNG file; the build uses it for the desktop icon.
add_executable(brelvane_render_picture app/look/renderpicture.cpp)
target_link_libraries(brelvane_render_picture PRIVATE brelvane_app)
