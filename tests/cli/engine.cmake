# lumora-cli survey and search against the engine, run as a process.
lumora_add_test(tst_cli_engine SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_cli_engine.cpp LIBS lumora_core)
target_compile_definitions(tst_cli_engine PRIVATE LUMORA_CLI_PATH="$<TARGET_FILE:lumora-cli>")
add_dependencies(tst_cli_engine lumora-cli)
