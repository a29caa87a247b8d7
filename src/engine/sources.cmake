# The engine: encoder command lines, the encoder run and its progress.
add_library(brelvane_engine STATIC
  engine/commandline.h engine/commandline.cpp
  engine/picturefit.h engine/picturefit.cpp
  engine/inputfacts.h engine/inputfacts.cpp
  engine/progressparser.h engine/progressparser.cpp
  engine/progresstracker.h engine/progresstracker.cpp
  engine/outputtail.h engine/outputtail.cpp
  engine/encoderrun.h engine/encoderrun.cpp)
# The job: start checks, output name, temporaries, time estimate, failure text.
target_sources(brelvane_engine PRIVATE
  engine/jobview.h
  engine/jobrequest.h engine/jobrequest.cpp
  engine/jobresult.h engine/jobprogress.h
  engine/requestcheck.h engine/requestcheck.cpp
  engine/pathidentity.h engine/pathidentity.cpp
  engine/startcheck.h engine/startcheck.cpp
  engine/spacecheck.h engine/spacecheck.cpp
  engine/outputname.h engine/outputname.cpp
  engine/outputplacement.h engine/outputplacement.cpp
  engine/tempfiles.h engine/tempfiles.cpp
  engine/jobclock.h engine/jobclock.cpp
  engine/jobfailure.h engine/jobfailure.cpp)
# The job itself: start, conversion, joining and the end.
target_sources(brelvane_engine PRIVATE
  engine/jobplan.h engine/jobplan.cpp
  engine/threadshare.h engine/threadshare.cpp
  engine/jobfolder.h engine/jobfolder.cpp
  engine/joincheck.h engine/joincheck.cpp
  engine/copycheck.h engine/copycheck.cpp
  engine/firstvideo.h engine/firstvideo.cpp
  engine/automaticchoice.h engine/automaticchoice.cpp
  engine/job.h engine/job.cpp engine/jobconvert.cpp engine/jobjoin.cpp
  engine/jobplace.cpp)
brelvane_layer_root(brelvane_engine engine)
target_link_libraries(brelvane_engine PUBLIC brelvane_settings brelvane_tasklist brelvane_contract
                      PRIVATE Qt6::Concurrent)
