# Bad input in every box and bar of the main window (a widget test; the sweep
# opens about a hundred windows, so it gets more time than the others).
lumora_add_test(tst_badinput SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_badinput.cpp ${CMAKE_CURRENT_LIST_DIR}/windowharness.h
                LIBS lumora_ui)
set_tests_properties(tst_badinput PROPERTIES TIMEOUT 900)
