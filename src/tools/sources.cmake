# tools: list files as ${CMAKE_CURRENT_LIST_DIR}/Name.cpp
list(APPEND OKU_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/LauncherPlans.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StartupItems.cpp
)
list(APPEND OKU_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Utilities.cpp
  ${CMAKE_CURRENT_LIST_DIR}/msinfo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmStartUp.cpp
)
