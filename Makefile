# Top-level entry points. `make run` and `make test` install what is missing, build, then run or test.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
# Most of the long tests wait (for timers, processes, sockets) rather than compute: more of them
# run at once than there are cores.
TEST_JOBS ?= $(shell echo $$(( $(JOBS) * 4 )))
MAKEFLAGS += --no-print-directory

.PHONY: all deps configure build run watch test sanitize mutants bench bench-window sim clean format lobby load package install

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DCORVANE_WERROR=ON >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@$(BUILD_DIR)/app/corvane

# One game played by the computer for all four seats, printed hand by hand.
watch: build
	@$(BUILD_DIR)/tools/sim/corvane-sim --games 1 --verbose --seed $$(date +%s)

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(TEST_JOBS)

# The core, the lobby, the bot and the simulator under the address and undefined-behaviour
# sanitizers, in a build folder of their own: their tests, then a short game simulated and
# replayed (not part of `make test`; docs/testing.md has the one suppression and its reason).
SANITIZE_DIR ?= build-sanitize
# GCC 12 at -O1 under the address sanitizer takes std::regex's std::function members for maybe
# uninitialised, in the library's own headers: a false alarm that -Werror would make fatal.
SANITIZE_FLAGS = -O1 -g1 -fno-omit-frame-pointer -fsanitize=address,undefined -fno-sanitize-recover=all \
	-Wno-maybe-uninitialized
SANITIZE_ENV = ASAN_OPTIONS=detect_stack_use_after_return=1:strict_string_checks=1 \
	UBSAN_OPTIONS=print_stacktrace=1
sanitize: deps
	@cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=CI -DCORVANE_WERROR=ON -DCORVANE_UI=OFF \
		-DCORVANE_FUZZ=OFF "-DCMAKE_CXX_FLAGS=$(SANITIZE_FLAGS)" \
		"-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined" >/dev/null
	@cmake --build $(SANITIZE_DIR) -j $(JOBS)
	@cd $(SANITIZE_DIR) && $(SANITIZE_ENV) ctest --output-on-failure -j $(TEST_JOBS)
	@$(SANITIZE_ENV) $(SANITIZE_DIR)/tools/sim/corvane-sim --games 20 --seed 5 \
		--trace $(SANITIZE_DIR)/sanitize-trace.jsonl >/dev/null
	@$(SANITIZE_ENV) $(SANITIZE_DIR)/tools/sim/corvane-sim --replay \
		$(SANITIZE_DIR)/sanitize-trace.jsonl --verbose >/dev/null
	@echo "sanitize: the tests, 20 simulated games and their replay ran clean"

# Plants a fixed list of faults one at a time in a scratch copy and says which the core tests
# catch (not part of `make test`; docs/testing.md has the figures).
mutants: deps
	@nice -n 10 scripts/mutants.py $(MUTANTS_ARGS)

bench: build
	@$(BUILD_DIR)/tools/bench/corvane-bench

# The window's figures: start to first paint, memory with a hand dealt, processor use while idle.
bench-window: build
	@scripts/install-deps.sh xvfb xauth
	@scripts/bench-window.sh $(BUILD_DIR)

sim: build
	@$(BUILD_DIR)/tools/sim/corvane-sim --games 1000 --seed 1

# The lobby server on its usual ports; LOBBY_ARGS passes options (see corvane-lobby --help).
lobby: build
	@$(BUILD_DIR)/server/corvane-lobby $(LOBBY_ARGS)

# A load run against a lobby of its own on loopback (TABLES, RATE, RUN_SECONDS to change it).
load: build
	@scripts/load-test.sh $(BUILD_DIR)

# The Debian package: $(BUILD_DIR)/corvane_<version>-1_<arch>.deb
package: build
	@cd $(BUILD_DIR) && cpack -G DEB

# Installs under PREFIX (default /usr/local); DESTDIR stages it elsewhere.
PREFIX ?= /usr/local
install: build
	@cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# Formats every C++ source and header the repository tracks, by .clang-format.
CLANG_FORMAT ?= $(shell command -v clang-format || command -v clang-format-14 || command -v clang-format-15)
format: deps
	@test -n "$(CLANG_FORMAT)" || { echo "clang-format not found: make deps installs it" >&2; exit 1; }
	@git ls-files -z '*.cpp' '*.h' | xargs -0 $(CLANG_FORMAT) -i

clean:
	@rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
