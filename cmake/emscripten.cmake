# Builds for the browser with Debian's emscripten 3.1.6 and a Node.js of version 18 or later.
# Give it in place of emscripten's own toolchain, with or without emcmake:
#   cmake -S . -B build-web -DCMAKE_TOOLCHAIN_FILE=cmake/emscripten.cmake \
#       -DCMAKE_PREFIX_PATH=<prefix> -DCMAKE_FIND_ROOT_PATH=<prefix>
# where <prefix> is what scripts/build_web_deps.sh prints.
execute_process(COMMAND em-config EMSCRIPTEN_ROOT
    OUTPUT_VARIABLE emscriptenRoot OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
include(${emscriptenRoot}/cmake/Modules/Platform/Emscripten.cmake)

# emcmake runs the checks' test programs under node with --experimental-wasm-threads, which newer
# Node.js rejects, so that CMake's run checks fail. Without fetch, the emitted JavaScript reads its
# .wasm from disk. A plain variable, so that it wins over the one emcmake passes.
set(CMAKE_CROSSCOMPILING_EMULATOR node --no-experimental-fetch)

# Optimised links run emscripten's JavaScript optimiser, which needs Debian's acorn module.
set(CMAKE_C_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
