# Survey and search timing: the engine with the sunshine file, lumora-cli as a
# process, and a search whose event lies most of a year ahead.
add_executable(bench_analysis ${CMAKE_CURRENT_LIST_DIR}/bench_analysis.cpp)
target_link_libraries(bench_analysis PRIVATE lumora_core)
target_compile_definitions(bench_analysis PRIVATE LUMORA_CLI_PATH="$<TARGET_FILE:lumora-cli>")
add_dependencies(bench_analysis lumora-cli)
