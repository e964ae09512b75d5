# Release packages: a .zip for Windows, a .tar.gz elsewhere, each holding the
# stripped program, the README, the changelog and the licence, and the manual
# page (as README.txt on Windows), with a SHA-256 checksum file
# beside it. With SOURCE_DATE_EPOCH set and TZ fixed (the package presets fix
# it), the same sources pack the same bytes whatever the builder's folder,
# umask or time zone.
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CPACK_SYSTEM_NAME win64)
  else()
    set(CPACK_SYSTEM_NAME win32)
  endif()
  set(doc_destination .)
else()
  set(CPACK_GENERATOR TGZ)
  set(CPACK_SYSTEM_NAME ${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR})
  set(doc_destination ${CMAKE_INSTALL_DOCDIR})
endif()

# The packages carry the README, the changelog and the licence side by side.
# The README's links to what they do not carry, the maintainers' documents,
# become plain text in the packaged copy, so that none leads nowhere there.
set(packaged_docs README.md CHANGELOG.md LICENSE)
set(readme ${PROJECT_SOURCE_DIR}/README.md)
set_property(
  DIRECTORY
  APPEND
  PROPERTY CMAKE_CONFIGURE_DEPENDS ${readme})
file(READ ${readme} text)
string(REGEX MATCHALL "\\[[^]]*\\]\\([^)]*\\)" links "${text}")
foreach(link IN LISTS links)
  # The link's text and the file it names: none for a fragment of the README
  # itself, a scheme for a URL.
  string(REGEX MATCH "^\\[([^]]*)\\]\\(([^)#]*)" parts "${link}")
  set(link_text "${CMAKE_MATCH_1}")
  set(file "${CMAKE_MATCH_2}")
  if(file
     AND NOT file IN_LIST packaged_docs
     AND NOT file MATCHES ":")
    string(REPLACE "${link}" "${link_text}" text "${text}")
  endif()
endforeach()
file(WRITE ${PROJECT_BINARY_DIR}/packaged/README.md "${text}")
install(FILES ${PROJECT_BINARY_DIR}/packaged/README.md
              ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_SOURCE_DIR}/LICENSE
        DESTINATION ${doc_destination})

set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
# CPack installs what the default component holds, which is everything. Named,
# the component gives CPack's staging install a manifest of its own,
# install_manifest_Unspecified.txt, so that install_manifest.txt still lists
# what `cmake --install` installed last, and the install can be removed by it.
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${PROJECT_BINARY_DIR};${PROJECT_NAME};Unspecified;/")
set(CPACK_SOURCE_GENERATOR "")
set(CPACK_STRIP_FILES ON)
# Repacks each archive reproducibly; the checksum is that of the final bytes.
set(CPACK_POST_BUILD_SCRIPTS
    ${PROJECT_SOURCE_DIR}/cmake/normalise_package.cmake)
set(CPACK_PACKAGE_CHECKSUM SHA256)
# A release must be reproducible: the repack then refuses to go without
# SOURCE_DATE_EPOCH or GNU tar instead of packing what it can.
set(CPACK_STUDENT_RELEASE ${STUDENT_RELEASE})
include(CPack)
