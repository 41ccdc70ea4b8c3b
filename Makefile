# The two commands a player or developer needs: `make run` and `make test`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: run test build setup clean package

run: build
	cd $(BUILD_DIR) && ./kvelmora

test: build package
	scripts/run_tests.sh $(BUILD_DIR)

build: setup
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD_DIR) -j $(JOBS)

setup:
	scripts/install_dependencies.sh

# A .deb in dist/, with its dependencies worked out by dpkg-shlibdeps.
package: setup
	cmake -S . -B $(BUILD_DIR)-package -DCMAKE_BUILD_TYPE=Release -DKVELMORA_INSTALL_BINDIR=games
	cmake --build $(BUILD_DIR)-package -j $(JOBS) --target kvelmora compressed_docs
	cd $(BUILD_DIR)-package && cpack

clean:
	rm -rf $(BUILD_DIR)
