tobrel_add_test(test_backupcommands
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_backupcommands.cpp LIBS workspace)
