# Real processes play the other running copy: the test binary started again.
lumora_add_test(tst_singleinstance SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_singleinstance.cpp LIBS lumora_ui Qt6::Network)
