# asapi.dll: the program's encoder, a command line program over ffmpeg that
# takes the MEncoder-style command lines the program builds. The translation
# lives in a library of its own so that tests reach it as plain functions.
# It reads the inputs with ffmpeg's libraries in process: a probe run of a
# program linked to some 200 libraries costs more than the reading itself.
find_package(PkgConfig REQUIRED)
pkg_check_modules(LIBAV REQUIRED IMPORTED_TARGET libavformat libavcodec libavutil)
add_library(brelvane_asapi STATIC
  asapi/encoderrequest.h asapi/encoderrequest.cpp
  asapi/videofilters.h asapi/videofilters.cpp
  asapi/mediafacts.h asapi/mediafacts.cpp
  asapi/libav.h asapi/libav.cpp
  asapi/inputformats.h
  asapi/inputprobe.h asapi/inputprobe.cpp
  asapi/toolresult.h
  asapi/joinoutput.h asapi/joinoutput.cpp
  asapi/copyjoin.h asapi/copyjoin.cpp
  asapi/ffmpegcommand.h asapi/ffmpegcommand.cpp
  asapi/progresslines.h asapi/progresslines.cpp
  asapi/childprocess.h asapi/childprocess.cpp
  asapi/toolrun.h asapi/toolrun.cpp
  asapi/chapters.h asapi/chapters.cpp
  asapi/loudness.h asapi/loudness.cpp)
brelvane_layer_root(brelvane_asapi asapi)
target_link_libraries(brelvane_asapi PUBLIC Qt6::Core brelvane_contract PRIVATE PkgConfig::LIBAV)

add_executable(asapi asapi/main.cpp)
target_link_libraries(asapi PRIVATE brelvane_asapi)
# The name the program looks for in its directory.
set_target_properties(asapi PROPERTIES OUTPUT_NAME ${BRELVANE_ENCODER_FILE_NAME}
                      RUNTIME_OUTPUT_DIRECTORY ${BRELVANE_PROGRAM_DIR})
