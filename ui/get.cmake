target_sources(meridan_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/get.cpp)
