# Release packages: a .zip for Windows, a .tar.gz elsewhere, each holding the
# program and the README.
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win32)
  set(doc_destination .)
else()
  set(CPACK_GENERATOR TGZ)
  set(doc_destination ${CMAKE_INSTALL_DOCDIR})
endif()
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${doc_destination})

set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
