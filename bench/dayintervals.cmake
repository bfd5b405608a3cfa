# The day's exact intervals and the Sun's course layers.
add_executable(bench_dayintervals ${CMAKE_CURRENT_LIST_DIR}/bench_dayintervals.cpp)
target_link_libraries(bench_dayintervals PRIVATE lumora_core)
