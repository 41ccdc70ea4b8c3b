# The two commands a player or developer needs: `make run` and `make test`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: run test build setup clean

run: build
	cd $(BUILD_DIR) && ./kvelmora

test: build
	scripts/run_tests.sh $(BUILD_DIR)

build: setup
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD_DIR) -j $(JOBS)

setup:
	scripts/install_dependencies.sh

clean:
	rm -rf $(BUILD_DIR)

# Windows: cross-built on Debian, tested under Wine. A cold first build of the libraries takes minutes.
WINDOWS_BUILD_DIR ?= build-windows

.PHONY: windows test-windows setup-windows

windows: setup-windows
	scripts/build_windows.sh $(WINDOWS_BUILD_DIR)

test-windows: windows
	scripts/run_windows_tests.sh $(WINDOWS_BUILD_DIR)

setup-windows:
	scripts/install_windows_dependencies.sh
