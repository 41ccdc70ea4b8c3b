# What a player or developer needs: `make run`, `make test` and `make test-sanitize`; then the Windows
# and browser builds.
BUILD_DIR ?= build
TEST_BUILD_DIR ?= build-test
SANITIZE_BUILD_DIR ?= build-sanitize
JOBS ?= $(shell nproc)

.PHONY: run test test-under-load test-sanitize build setup clean package

run: build
	cd $(BUILD_DIR) && ./kvelmora

# The game alone, so the player sees a window without waiting for the tests to build.
build: setup
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKVELMORA_BUILD_TESTS=OFF
	cmake --build $(BUILD_DIR) -j $(JOBS) --target kvelmora

# The test builds are the CI's, in a folder of their own: a warning fails them. The package check needs the .deb.
test: CHECK_FLAGS = -DKVELMORA_WERROR=ON
test: package
	cmake -S . -B $(TEST_BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CHECK_FLAGS)
	cmake --build $(TEST_BUILD_DIR) -j $(JOBS)
	scripts/run_tests.sh $(TEST_BUILD_DIR)

# The whole suite three times in a row while two busy loops compete for both cores: the checks
# must wait on what they look for, never on the clock.
test-under-load: package
	cmake -S . -B $(TEST_BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKVELMORA_WERROR=ON
	cmake --build $(TEST_BUILD_DIR) -j $(JOBS)
	scripts/run_under_load.sh scripts/run_tests.sh $(TEST_BUILD_DIR)

# Asserts on, AddressSanitizer and UndefinedBehaviorSanitizer, in a build directory of its own.
test-sanitize: package
	cmake -S . -B $(SANITIZE_BUILD_DIR) -DCMAKE_BUILD_TYPE=Debug -DKVELMORA_SANITIZE=ON -DKVELMORA_WERROR=ON
	cmake --build $(SANITIZE_BUILD_DIR) -j $(JOBS)
	scripts/run_tests.sh $(SANITIZE_BUILD_DIR)

setup:
	scripts/install_dependencies.sh

# A .deb in dist/, with its dependencies worked out by dpkg-shlibdeps.
package: setup
	cmake -S . -B $(BUILD_DIR)-package -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DKVELMORA_INSTALL_BINDIR=games \
		-DKVELMORA_BUILD_TESTS=OFF
	cd $(BUILD_DIR)-package && cpack

clean:
	rm -rf $(BUILD_DIR) $(TEST_BUILD_DIR) $(SANITIZE_BUILD_DIR) $(BUILD_DIR)-package $(WINDOWS_BUILD_DIR) $(WEB_BUILD_DIR) dist

# Windows: cross-built on Debian, tested under Wine. A cold first build of the libraries takes minutes.
WINDOWS_BUILD_DIR ?= build-windows

.PHONY: windows windows-installer windows-msi test-windows setup-windows

windows: setup-windows
	scripts/build_for.sh windows $(WINDOWS_BUILD_DIR) $(CHECK_FLAGS)

# The per-user installer in dist/, made by CPack and NSIS from the same tree as the zip.
windows-installer: windows
	cd $(WINDOWS_BUILD_DIR) && LC_ALL=C.UTF-8 cpack

# The MSI in dist/ for a school's administrator: per machine, for every user, silent with msiexec.
windows-msi: windows
	cmake --build $(WINDOWS_BUILD_DIR) --target windows_msi

test-windows: CHECK_FLAGS = -DKVELMORA_WERROR=ON
test-windows: windows-installer windows-msi
	scripts/run_windows_tests.sh $(WINDOWS_BUILD_DIR)

setup-windows:
	scripts/install_windows_dependencies.sh

# The browser: built with Debian's emscripten, tested in headless Chromium. A cold first build of the
# libraries takes minutes. The page alone needs neither the test driver nor the bare window's page.
WEB_BUILD_DIR ?= build-web
WEB_PORT ?= 8000

.PHONY: web web-run test-web setup-web setup-web-tests

web: setup-web
	scripts/build_for.sh web $(WEB_BUILD_DIR) -DKVELMORA_BUILD_TESTS=OFF $(CHECK_FLAGS)

# Serves the packed page on this machine only; Ctrl+C ends it.
web-run: web
	@echo "Kvelmora: http://127.0.0.1:$(WEB_PORT)/"
	python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory "$$(cat $(WEB_BUILD_DIR)/package_dir.txt)"

test-web: CHECK_FLAGS = -DKVELMORA_WERROR=ON -DKVELMORA_BUILD_TESTS=ON
test-web: setup-web-tests web
	scripts/run_web_tests.sh $(WEB_BUILD_DIR)

setup-web:
	scripts/install_web_dependencies.sh

setup-web-tests:
	scripts/install_web_dependencies.sh --tests
