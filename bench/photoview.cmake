# The photo in the main window: a 12-megapixel photo chosen until it shows, and
# the frame's edges dragged with the mouse over it (per move, repaint included).
add_executable(bench_photoview ${CMAKE_CURRENT_LIST_DIR}/bench_photoview.cpp)
target_link_libraries(bench_photoview PRIVATE lumora_ui)
target_include_directories(bench_photoview PRIVATE ${PROJECT_SOURCE_DIR}/tests)
