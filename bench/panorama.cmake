# The panorama with every course layer on while a frame bar is dragged: per
# move, the day's intervals recomputed and the panorama repainted (offscreen).
add_executable(bench_panorama ${CMAKE_CURRENT_LIST_DIR}/bench_panorama.cpp)
target_link_libraries(bench_panorama PRIVATE lumora_ui)
target_include_directories(bench_panorama PRIVATE ${PROJECT_SOURCE_DIR}/tests)
