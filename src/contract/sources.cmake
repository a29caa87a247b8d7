# What passes between the program and its encoder asapi.dll beside the
# command lines: the lines the encoder prints and the job reads. One small
# library both ends link, so writer and reader cannot drift apart. The forms
# of the values the encoder takes are here too: the program checks a profile
# against them before a job starts, and the encoder checks its arguments. The
# list of chapter titles the program writes for a join is read here as well.
add_library(brelvane_contract STATIC contract/encoderlines.h contract/encoderlines.cpp
            contract/valueforms.h contract/valueforms.cpp
            contract/chapterlist.h contract/chapterlist.cpp)
target_include_directories(brelvane_contract PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(brelvane_contract PUBLIC Qt6::Core)
