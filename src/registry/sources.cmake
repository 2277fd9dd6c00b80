# registry: list files as ${CMAKE_CURRENT_LIST_DIR}/Name.cpp
list(APPEND OKU_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/RegistryText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegistryPath.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IdentityText.cpp
)
list(APPEND OKU_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/IdentityRows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clsEasyRegistry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IdentitySettings.cpp
)
