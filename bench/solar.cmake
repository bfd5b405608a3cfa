# Solar position timing: one call, and a year of one-minute steps.
add_executable(bench_solar ${CMAKE_CURRENT_LIST_DIR}/bench_solar.cpp)
target_link_libraries(bench_solar PRIVATE lumora_core)
