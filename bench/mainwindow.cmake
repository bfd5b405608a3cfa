# The main window at work: start-up, one real-time tick, idle CPU, a survey and
# a long search started from the window (offscreen platform by default).
add_executable(bench_mainwindow ${CMAKE_CURRENT_LIST_DIR}/bench_mainwindow.cpp)
target_link_libraries(bench_mainwindow PRIVATE lumora_ui)
target_include_directories(bench_mainwindow PRIVATE ${PROJECT_SOURCE_DIR}/tests)
