# Text measuring and launch, standard dialogs and message boxes.
target_sources(meridan_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/textmeasure.cpp
  ${CMAKE_CURRENT_LIST_DIR}/${MERIDAN_PLATFORM}/textmeasure.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stddlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/${MERIDAN_PLATFORM}/stddlg.cpp)
if(WIN32)
  target_link_libraries(meridan_core PUBLIC comdlg32 gdi32 user32 shell32)
endif()
