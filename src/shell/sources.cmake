# shell: list files as ${CMAKE_CURRENT_LIST_DIR}/Name.cpp
list(APPEND OKU_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/FileInfoText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShellText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowGeometry.cpp
)
list(APPEND OKU_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/SendToFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ListingFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cShellLink.cpp
  ${CMAKE_CURRENT_LIST_DIR}/misc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mShellLink.cpp
)
# Directory listing and Send To
list(APPEND OKU_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DirListingLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SendToLogic.cpp
)
list(APPEND OKU_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/FolderSearch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DirListing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SendToSystem.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Namefrm.cpp
)
