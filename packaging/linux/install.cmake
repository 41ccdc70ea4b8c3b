# Installing on Linux: `cmake --install` into any prefix, and the .deb that `make package` builds.
# The installed game finds its assets at <executable dir>/../share/kvelmora/assets, so a tree can be moved.
# Debian keeps games in /usr/games, so the package installs there instead of bin.
set(KVELMORA_ID cz.korvel.Kvelmora)
set(KVELMORA_INSTALL_BINDIR bin CACHE STRING "Folder below the prefix for the executable")
set(linux_dir ${CMAKE_SOURCE_DIR}/packaging/linux)

install(TARGETS kvelmora RUNTIME DESTINATION ${KVELMORA_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/assets/ DESTINATION share/kvelmora/assets)
# Started by its full path, so a menu never runs another program of the same name; the window's
# WM_CLASS is its title, which StartupWMClass names.
set(KVELMORA_EXECUTABLE ${CMAKE_INSTALL_PREFIX}/${KVELMORA_INSTALL_BINDIR}/kvelmora)
configure_file(${linux_dir}/${KVELMORA_ID}.desktop.in ${KVELMORA_ID}.desktop @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${KVELMORA_ID}.desktop DESTINATION share/applications)
install(FILES ${linux_dir}/${KVELMORA_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/art/icon/kvelmora.svg
    DESTINATION share/icons/hicolor/scalable/apps RENAME ${KVELMORA_ID}.svg)
foreach(size 16 32 48 64 128 256)
    install(FILES ${CMAKE_SOURCE_DIR}/packaging/icons/kvelmora-${size}.png
        DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME ${KVELMORA_ID}.png)
endforeach()

# Debian keeps manual pages and changelogs compressed, without timestamps.
find_program(GZIP gzip REQUIRED)
foreach(file kvelmora.6 kvelmora.cs.6 changelog)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${file}.gz
        COMMAND ${GZIP} -9nc ${linux_dir}/${file} > ${CMAKE_BINARY_DIR}/${file}.gz
        DEPENDS ${linux_dir}/${file})
endforeach()
add_custom_target(compressed_docs ALL
    DEPENDS ${CMAKE_BINARY_DIR}/kvelmora.6.gz ${CMAKE_BINARY_DIR}/kvelmora.cs.6.gz ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/kvelmora.6.gz DESTINATION share/man/man6)
install(FILES ${CMAKE_BINARY_DIR}/kvelmora.cs.6.gz DESTINATION share/man/cs/man6 RENAME kvelmora.6.gz)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/README.md ${linux_dir}/copyright
    ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION share/doc/kvelmora)
# The pictures that the README shows go beside it, so the installed copy links nothing missing.
file(STRINGS ${CMAKE_SOURCE_DIR}/README.md readme_lines REGEX "docs/[A-Za-z0-9_]+\\.png")
string(REGEX MATCHALL "docs/[A-Za-z0-9_]+\\.png" readme_pictures "${readme_lines}")
list(REMOVE_DUPLICATES readme_pictures)
list(TRANSFORM readme_pictures PREPEND ${CMAKE_SOURCE_DIR}/)
install(FILES ${readme_pictures} DESTINATION share/doc/kvelmora/docs)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kvelmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(KVELMORA_DEB kvelmora_${PROJECT_VERSION}_amd64)
set(CPACK_PACKAGE_FILE_NAME ${KVELMORA_DEB})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_SOURCE_DIR}/dist)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Kvelmora maintainers <maintainers@users.noreply.c-seed-a1b86dec.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "educational arcade game about protected meadow slopes")
set(CPACK_PACKAGE_DESCRIPTION "Kvelmora is a small single-player arcade game in Czech. A runner crosses
a meadow that speeds up step by step, jumps over protected flowers and
collects litter; stepping on a flower ends the game, and the five best
results are kept. An info menu with four topics tells what the protected
slopes are, how they arise, what grows on them and where they are found.")
include(CPack)

