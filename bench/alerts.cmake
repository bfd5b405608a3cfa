# The alerts: the three days' schedule, a check, the next event, a frame drag.
add_executable(bench_alerts ${CMAKE_CURRENT_LIST_DIR}/bench_alerts.cpp)
target_link_libraries(bench_alerts PRIVATE lumora_ui)
