# shell: list files as ${CMAKE_CURRENT_LIST_DIR}/Name.cpp
list(APPEND OKU_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/FileInfoText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShellText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowGeometry.cpp
)
list(APPEND OKU_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/cShellLink.cpp
  ${CMAKE_CURRENT_LIST_DIR}/misc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mShellLink.cpp
)
