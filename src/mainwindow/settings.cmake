target_sources(lumora_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/settings.cpp ${CMAKE_CURRENT_LIST_DIR}/settings.h)
target_sources(lumora_ui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/help.cpp ${CMAKE_CURRENT_LIST_DIR}/help.h)
