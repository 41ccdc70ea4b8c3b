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
