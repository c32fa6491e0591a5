# make run   — installs what is missing, builds, starts the program
# make test  — installs what is missing, builds, runs every test through CTest
BUILD ?= build
JOBS ?= $(shell nproc)
# Most tests wait on a pseudo-terminal rather than compute: run at least eight at once.
TEST_JOBS ?= $(shell n=$$(nproc); [ $$n -lt 8 ] && n=8; echo $$n)
CMAKE_FLAGS ?=

.PHONY: setup configure build run test clean format

setup:
	@bash scripts/setup

configure: setup
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/app/quorvan4

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(TEST_JOBS)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
