# The browser build, compiled with Debian's emscripten (cmake/emscripten.cmake) against the libraries
# of scripts/build_web_deps.sh: a page and every file it needs in ${CMAKE_BINARY_DIR}/web, the game
# as one HTML file that holds all of it, and in dist/ that file, and the folder with the single file,
# the licences and the teachers' note, and a zip of that folder.
set(web_dir ${CMAKE_BINARY_DIR}/web)
set(web_sources ${CMAKE_SOURCE_DIR}/web)
# The libraries' prefix also holds the licence texts of everything it built.
get_filename_component(deps_prefix ${SFML_DIR}/../../.. ABSOLUTE)
file(GLOB_RECURSE asset_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/assets/*)

# display() waits for the browser's next frame through Asyncify, so the frame loop stays as it is;
# SFML's fixed-function drawing needs the emulated legacy GL; the player's files live in IndexedDB.
# Asyncify instruments only what can be on the stack while the page waits (add_web_page): left to
# itself it takes every indirect call for a way there, which makes the module a third larger and the
# libraries' decoding slower at every start. The module is linked for size and for pages only, as
# a page starts no sooner than its files arrive and compile.
set(web_link_options -Os -sENVIRONMENT=web -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536 -sASYNCIFY_IGNORE_INDIRECT
    -sLEGACY_GL_EMULATION -sALLOW_MEMORY_GROWTH -sMINIFY_HTML=0)
set(page_files ${web_sources}/style.css ${web_sources}/manifest.webmanifest)
set(page_icons ${CMAKE_SOURCE_DIR}/art/icon/kvelmora.svg)
foreach(size 64 128 192 512)
    list(APPEND page_icons ${CMAKE_SOURCE_DIR}/packaging/icons/kvelmora-${size}.png)
endforeach()

# The two shells made from web/shell.html: the served page's, and the single file's, which holds its
# stylesheet and icons and leaves out what only a server makes work.
set(single_page_name kvelmora-${PROJECT_VERSION}.html)
set(served_shell ${CMAKE_BINARY_DIR}/shell_served.html)
set(single_shell ${CMAKE_BINARY_DIR}/shell_single.html)
add_custom_command(OUTPUT ${served_shell} ${single_shell}
    COMMAND python3 ${CMAKE_SOURCE_DIR}/cmake/web_shells.py ${web_sources}/shell.html ${web_sources}/style.css
            ${CMAKE_SOURCE_DIR}/packaging/icons ${single_page_name} ${served_shell} ${single_shell}
    DEPENDS ${CMAKE_SOURCE_DIR}/cmake/web_shells.py ${web_sources}/shell.html ${web_sources}/style.css ${page_icons}
    VERBATIM)
add_custom_target(web_shells DEPENDS ${served_shell} ${single_shell})

# Links the target for the browser. The functions given are those whose virtual and std::function
# calls can lead to a wait: Asyncify sees the direct calls itself. Wildcards; the names' brackets
# must pair up.
function(link_web_module target)
    string(REPLACE ";" "\n" waiting_functions "${ARGN}")
    set(waiting_list ${CMAKE_BINARY_DIR}/${target}_waiting_functions.txt)
    file(CONFIGURE OUTPUT ${waiting_list} CONTENT "${waiting_functions}\n")
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${waiting_list})
    target_link_options(${target} PRIVATE ${web_link_options} -sASYNCIFY_ADD=@${waiting_list})
endfunction()

# A program's page: index.html with its .js, .wasm and .data in the folder, beside the page's own files.
# The page is linked anew when any of its files changes, so that the copies and the service worker's
# version follow.
function(add_web_page target folder)
    link_web_module(${target} ${ARGN})
    add_dependencies(${target} web_shells)
    target_link_options(${target} PRIVATE --shell-file ${served_shell})
    set_target_properties(${target} PROPERTIES OUTPUT_NAME index SUFFIX .html RUNTIME_OUTPUT_DIRECTORY ${folder})
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${served_shell}
        ${page_files} ${page_icons} ${web_sources}/service-worker.js.in ${CMAKE_SOURCE_DIR}/cmake/web_offline.cmake)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy ${page_files} ${folder}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}/icons
        COMMAND ${CMAKE_COMMAND} -E copy ${page_icons} ${folder}/icons
        COMMAND ${CMAKE_COMMAND} -DWEB_DIR=${folder} -DTEMPLATE=${web_sources}/service-worker.js.in
                -P ${CMAKE_SOURCE_DIR}/cmake/web_offline.cmake
        VERBATIM)
endfunction()

set(game_waiting_functions main "kvelmora::*" "std::__2::__function::__func<kvelmora::*>::operator()*")
add_executable(kvelmora src/main.cpp)
target_link_libraries(kvelmora PRIVATE kvelmora_core)
target_link_options(kvelmora PRIVATE --preload-file ${CMAKE_SOURCE_DIR}/assets@assets
    --pre-js ${web_sources}/early_start.js)
set_property(TARGET kvelmora APPEND PROPERTY LINK_DEPENDS ${asset_files} ${web_sources}/early_start.js)
add_web_page(kvelmora ${web_dir} ${game_waiting_functions})

# The game as one file for a page opened from the disk, where the browser fetches nothing: the
# module and its script in the page, the assets built into the module. The page starts compiling the
# module before it reads the script (cmake/web_single.py).
set(single_page_dir ${CMAKE_BINARY_DIR}/web-single)
set(single_name kvelmora-${PROJECT_VERSION})
add_executable(kvelmora_single src/main.cpp)
target_link_libraries(kvelmora_single PRIVATE kvelmora_core)
target_link_options(kvelmora_single PRIVATE --embed-file ${CMAKE_SOURCE_DIR}/assets@assets
    --pre-js ${web_sources}/early_start.js)
set_target_properties(kvelmora_single PROPERTIES OUTPUT_NAME ${single_name} SUFFIX .js
    RUNTIME_OUTPUT_DIRECTORY ${single_page_dir})
set_property(TARGET kvelmora_single APPEND PROPERTY LINK_DEPENDS ${asset_files} ${web_sources}/early_start.js)
link_web_module(kvelmora_single ${game_waiting_functions})
add_custom_command(OUTPUT ${single_page_dir}/${single_page_name}
    COMMAND python3 ${CMAKE_SOURCE_DIR}/cmake/web_single.py ${single_shell} ${single_page_dir}/${single_name}.js
            ${single_page_dir}/${single_name}.wasm ${web_sources}/single_loader.js ${single_page_dir}/${single_page_name}
    DEPENDS kvelmora_single ${single_shell} ${web_sources}/single_loader.js ${CMAKE_SOURCE_DIR}/cmake/web_single.py
    VERBATIM)

# The teachers' note, as the Windows zip has it: Czech, with a byte-order mark and Windows line ends.
set(teachers_note ${CMAKE_BINARY_DIR}/ČTIMĚ.txt)
configure_file(${web_sources}/readme_cs.txt.in ${teachers_note} @ONLY NEWLINE_STYLE CRLF)

# The folder a school puts on its web server, and its zip: the page with the licences of the game and
# of everything linked into it, the single file and the note. They are made in the build folder, as
# dist/ may not exist yet.
set(package_name kvelmora-${PROJECT_VERSION}-web)
set(package_build_dir ${CMAKE_BINARY_DIR}/${package_name})
set(package_dir ${CMAKE_SOURCE_DIR}/dist/${package_name})
set(package_zip ${CMAKE_SOURCE_DIR}/dist/${package_name}.zip)
set(single_page ${CMAKE_SOURCE_DIR}/dist/${single_page_name})
set(licence_dir ${deps_prefix}/licences)
file(GLOB licence_files CONFIGURE_DEPENDS ${licence_dir}/*)
add_custom_command(OUTPUT ${package_zip} ${single_page}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${package_build_dir} ${package_dir} ${package_zip} ${single_page}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${web_dir} ${package_build_dir}
    COMMAND ${CMAKE_COMMAND} -E copy ${single_page_dir}/${single_page_name} ${teachers_note} ${package_build_dir}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${licence_dir} ${package_build_dir}/licence
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/LICENSE ${package_build_dir}/licence/Kvelmora.txt
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/assets/fonts/LICENSE-GUST-FONT-LICENSE.txt
            ${package_build_dir}/licence/TeX-Gyre-Adventor.txt
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_SOURCE_DIR}/dist
    COMMAND ${CMAKE_COMMAND} -E tar cf ${package_zip} --format=zip ${package_name}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${package_build_dir} ${package_dir}
    COMMAND ${CMAKE_COMMAND} -E copy ${single_page_dir}/${single_page_name} ${single_page}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    DEPENDS kvelmora ${single_page_dir}/${single_page_name} ${teachers_note} ${licence_files} ${CMAKE_SOURCE_DIR}/LICENSE
    COMMENT "Packing ${package_zip}"
    VERBATIM)
add_custom_target(web_package ALL DEPENDS ${package_zip} ${single_page})
file(WRITE ${CMAKE_BINARY_DIR}/package_dir.txt ${package_dir})
file(WRITE ${CMAKE_BINARY_DIR}/single_page.txt ${single_page})

# The yardstick for the speed checks: the bare window, built and shown the same way.
if(KVELMORA_BUILD_TESTS)
    add_executable(bare_window bench/bare_window.cpp)
    target_link_libraries(bare_window PRIVATE sfml-graphics sfml-window sfml-system)
    target_compile_features(bare_window PRIVATE cxx_std_17)
    add_web_page(bare_window ${CMAKE_BINARY_DIR}/web-bare main)
endif()
