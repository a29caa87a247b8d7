# What both front ends share: a job run with the front end's questions,
# shown on its JobView and task list, its result told in the program's words
# and its end carried out (open the folder, exit, power off).
add_library(brelvane_frontend STATIC
  frontend/jobpresenter.h frontend/jobpresenter.cpp)
brelvane_layer_root(brelvane_frontend frontend)
target_link_libraries(brelvane_frontend PUBLIC brelvane_engine)
