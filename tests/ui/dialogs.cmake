# Text measuring and launch, standard dialogs and message boxes.
meridan_add_test(test_ui_dialogs
  ${CMAKE_CURRENT_LIST_DIR}/textmeasure_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stddlg_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/${MERIDAN_PLATFORM}/stddlg_platform_test.cpp)
