tobrel_add_test(test_backup SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_backup.cpp LIBS model)
