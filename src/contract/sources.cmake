# What passes between the program and its encoder asapi.dll: its file name,
# the options of its command lines, and the lines it prints and the job
# reads. One small library both ends link, so writer and reader cannot drift
# apart. The forms
# of the values the encoder takes are here too: the program checks a profile
# against them before a job starts, and the encoder checks its arguments. The
# list of chapter titles the program writes for a join is read here as well.
add_library(brelvane_contract STATIC contract/encoderlines.h contract/encoderlines.cpp
            contract/valueforms.h contract/valueforms.cpp
            contract/chapterlist.h contract/chapterlist.cpp)
brelvane_layer_root(brelvane_contract contract)
target_link_libraries(brelvane_contract PUBLIC Qt6::Core)
target_compile_definitions(brelvane_contract
                           PRIVATE BRELVANE_ENCODER_FILE_NAME="${BRELVANE_ENCODER_FILE_NAME}")
