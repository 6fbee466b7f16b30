meridan_add_test(test_get ${CMAKE_CURRENT_LIST_DIR}/get_test.cpp ${CMAKE_CURRENT_LIST_DIR}/transform_test.cpp)
