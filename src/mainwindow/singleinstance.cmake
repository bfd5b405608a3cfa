# One running copy per user: a lock file and a local socket (Qt Network).
target_sources(lumora_ui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/singleinstance.cpp ${CMAKE_CURRENT_LIST_DIR}/singleinstance.h)
target_link_libraries(lumora_ui PRIVATE Qt6::Network)
