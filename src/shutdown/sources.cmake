# shutdown: list files as ${CMAKE_CURRENT_LIST_DIR}/Name.cpp
list(APPEND OKU_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ShutdownTime.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShutdownOptions.cpp
)
list(APPEND OKU_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ShutdownFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LocalTime.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinShut.cpp
)
