# A 12-megapixel photo loaded, resampled into the panorama's grid and converted.
add_executable(bench_photo ${CMAKE_CURRENT_LIST_DIR}/bench_photo.cpp)
target_link_libraries(bench_photo PRIVATE lumora_photo)
