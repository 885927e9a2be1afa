# make run     install what is missing, build, start the game from build/run
# make test    the same set-up, then every test (headless ones under Xvfb)
# make editor  the same set-up, then start the level editor
# make install the same set-up, then install into PREFIX (default /usr/local)
# make deb     a Debian package, built in build-deb/ and checked by lintian
# make fuzz    the same set-up, then the fuzzers in build-fuzz (Clang), each for
#              FUZZ_SECONDS (20 by default), with a summary at the end

BUILD ?= build
JOBS ?= $(shell nproc)
BUILD_TYPE ?= RelWithDebInfo
PREFIX ?= /usr/local
FUZZ_SECONDS ?= 20

.PHONY: all deps configure build run test editor bench fuzz install deb clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CONFIGURE_FLAGS) > $(BUILD).configure.log 2>&1 || \
		{ cat $(BUILD).configure.log; exit 1; }

build: configure
	@cmake --build $(BUILD) -j$(JOBS) -- --no-print-directory

run: build
	@scripts/run-program $(BUILD)/run cubrava

editor: build
	@scripts/run-program $(BUILD)/run cubrava-editor

test: build
	@cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

# Every benchmark in turn, each printing its figures beside their goals; fails
# when one of them cannot run (a goal missed is printed, not a failure).
bench: build
	@status=0; echo "load average: $$(cat /proc/loadavg)"; \
	for b in $(BUILD)/bench/*_bench; do \
		[ -x "$$b" ] || continue; echo "== $$(basename $$b)"; \
		"$$b" || { echo "$$(basename $$b) failed to run" >&2; status=1; }; \
	done; echo "load average: $$(cat /proc/loadavg)"; exit $$status

# The normal build first: its textures seed the image decoder's fuzzer.
fuzz: build
	@FUZZ_SECONDS=$(FUZZ_SECONDS) FUZZ_TEXTURES=$(BUILD)/run/Textures scripts/fuzz

# The prefix is set when configuring, so the programs go to games/ under /usr.
install: CONFIGURE_FLAGS = -DCMAKE_INSTALL_PREFIX=$(PREFIX)
install: build
	@scripts/install-prefix $(BUILD) $(PREFIX)

deb: deps
	@scripts/build-deb $(BUILD)-deb $(JOBS)

clean:
	@rm -rf $(BUILD) $(BUILD).configure.log $(BUILD)-deb $(BUILD)-deb.configure.log
