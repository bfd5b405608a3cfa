# The year through the window: lumora-cli hours against the year survey, the
# year's intervals, and the year window's opening and recolouring.
add_executable(bench_yearview ${CMAKE_CURRENT_LIST_DIR}/bench_yearview.cpp)
target_link_libraries(bench_yearview PRIVATE lumora_ui)
target_compile_definitions(bench_yearview PRIVATE LUMORA_CLI_PATH="$<TARGET_FILE:lumora-cli>")
add_dependencies(bench_yearview lumora-cli)
