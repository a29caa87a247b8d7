# What passes between the program and its encoder asapi.dll beside the
# command lines: the lines the encoder prints and the job reads. One small
# library both ends link, so writer and reader cannot drift apart.
add_library(brelvane_contract STATIC contract/encoderlines.h contract/encoderlines.cpp)
target_include_directories(brelvane_contract PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(brelvane_contract PUBLIC Qt6::Core)
