# The Windows build, cross-compiled with cmake/mingw-w64-x86_64.cmake against the libraries of
# scripts/build_windows_deps.sh. Everything but OpenAL32.dll is linked into kvelmora.exe.
enable_language(RC)
# The libraries' prefix also holds OpenAL32.dll and the licence texts of everything it built.
get_filename_component(deps_prefix ${SFML_DIR}/../../.. ABSOLUTE)
set(openal_dll ${deps_prefix}/bin/OpenAL32.dll)
set(licence_dir ${deps_prefix}/licences)

# Wide-character Windows calls; the C and C++ runtimes linked in, so only OpenAL32.dll ships beside the game.
target_compile_definitions(kvelmora_core PUBLIC UNICODE _UNICODE)
target_link_options(kvelmora_core INTERFACE -static)
target_link_libraries(kvelmora_core PRIVATE shell32 ole32 uuid)

set(KVELMORA_ICON ${CMAKE_SOURCE_DIR}/packaging/icons/kvelmora.ico)
configure_file(packaging/windows/kvelmora.rc.in kvelmora.rc @ONLY)
add_executable(kvelmora WIN32 src/main.cpp ${CMAKE_BINARY_DIR}/kvelmora.rc)
target_link_libraries(kvelmora PRIVATE kvelmora_core)

# What a player gets, from the zip and from the installer alike: the game, the DLL, the assets,
# the licences and a note in Czech. Symbols would double the download and mean nothing to a player.
set(stripped_openal_dll ${CMAKE_BINARY_DIR}/OpenAL32.dll)
add_custom_command(OUTPUT ${stripped_openal_dll}
    COMMAND ${CMAKE_STRIP} --strip-unneeded -o ${stripped_openal_dll} ${openal_dll}
    DEPENDS ${openal_dll})
# CRLF, so that every Notepad shows the lines.
configure_file(packaging/windows/readme_cs.txt.in ${CMAKE_BINARY_DIR}/ČTIMĚ.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(LICENSE ${CMAKE_BINARY_DIR}/licence/Kvelmora.txt @ONLY NEWLINE_STYLE CRLF)
install(TARGETS kvelmora RUNTIME DESTINATION .)
install(FILES ${stripped_openal_dll} ${CMAKE_BINARY_DIR}/ČTIMĚ.txt DESTINATION .)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/assets DESTINATION .)
install(DIRECTORY ${licence_dir}/ DESTINATION licence)
install(FILES ${CMAKE_BINARY_DIR}/licence/Kvelmora.txt DESTINATION licence)
install(FILES ${CMAKE_SOURCE_DIR}/assets/fonts/LICENSE-GUST-FONT-LICENSE.txt
    DESTINATION licence RENAME TeX-Gyre-Adventor.txt)

# The portable zip: the same tree, installed into a folder and packed.
set(package_name kvelmora-${PROJECT_VERSION}-windows-x64)
set(package_dir ${CMAKE_BINARY_DIR}/${package_name})
set(package_zip ${CMAKE_SOURCE_DIR}/dist/${package_name}.zip)
file(GLOB_RECURSE asset_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/assets/*)
add_custom_command(OUTPUT ${package_zip}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${package_dir}
    COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${package_dir} --strip
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_SOURCE_DIR}/dist
    # libarchive marks the Czech file name as UTF-8 only under a UTF-8 locale.
    COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8
            ${CMAKE_COMMAND} -E tar cf ${package_zip} --format=zip ${package_name}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    DEPENDS kvelmora ${stripped_openal_dll} ${CMAKE_BINARY_DIR}/ČTIMĚ.txt ${CMAKE_BINARY_DIR}/licence/Kvelmora.txt
            ${asset_files}
    COMMENT "Packing ${package_zip}"
    VERBATIM)
add_custom_target(windows_zip ALL DEPENDS ${package_zip})
file(WRITE ${CMAKE_BINARY_DIR}/package_zip.txt ${package_zip})

# The MSI a school's administrator deploys to every machine (`make windows-msi`): the zip's tree,
# installed per machine by packaging/windows/build_msi.sh with msitools' wixl.
set(package_msi ${CMAKE_SOURCE_DIR}/dist/${package_name}.msi)
set(msi_script ${CMAKE_SOURCE_DIR}/packaging/windows/build_msi.sh)
add_custom_command(OUTPUT ${package_msi}
    COMMAND ${msi_script} ${package_dir} ${PROJECT_VERSION} ${package_msi}
    DEPENDS ${package_zip} ${msi_script} ${CMAKE_SOURCE_DIR}/packaging/windows/kvelmora.wxs ${KVELMORA_ICON}
    COMMENT "Building ${package_msi}"
    VERBATIM)
add_custom_target(windows_msi DEPENDS ${package_msi})

# The installer, built by `cpack` from the same tree (`make windows-installer`): a
# per-user installation in Czech, with its own NSIS script in packaging/windows/.
set(CPACK_GENERATOR NSIS)
set(CPACK_MODULE_PATH ${CMAKE_SOURCE_DIR}/packaging/windows)
set(CPACK_PACKAGE_NAME Kvelmora)
set(CPACK_PACKAGE_VENDOR "Korvel, spolek pro krajinu")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY Kvelmora)
set(CPACK_PACKAGE_FILE_NAME ${package_name}-setup)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_SOURCE_DIR}/dist)
set(CPACK_STRIP_FILES ON)
set(CPACK_NSIS_MUI_ICON ${KVELMORA_ICON})
set(CPACK_NSIS_MUI_WELCOMEFINISHPAGE_BITMAP ${CMAKE_SOURCE_DIR}/packaging/icons/installer_side.bmp)
configure_file(packaging/windows/licence_cs.txt ${CMAKE_BINARY_DIR}/licence_cs.txt @ONLY NEWLINE_STYLE CRLF)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_BINARY_DIR}/licence_cs.txt)
include(CPack)

add_subdirectory(tests)

# The game screen's frame cost against bare frames of the same window, measured in one run under
# Wine by scripts/measure_windows_speed.sh.
add_executable(game_speed EXCLUDE_FROM_ALL bench/game_speed.cpp)
target_link_libraries(game_speed PRIVATE kvelmora_core)
target_include_directories(game_speed PRIVATE probe)
set_target_properties(game_speed PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
add_custom_command(TARGET game_speed POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy ${openal_dll} ${CMAKE_BINARY_DIR}/bench
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/assets ${CMAKE_BINARY_DIR}/bench/assets)
