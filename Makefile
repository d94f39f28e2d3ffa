# Front door: make deps | build | test | run | asan | fuzz | bench | tidy | docs
BUILD      ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
# BENCH_ARGS=--quick leaves out the 970,000-item order.
BENCH_ARGS ?=
ORDER      ?= 1
FUZZ_SECONDS ?= 30
JOBS       ?= $(shell nproc)
CMAKE_FLAGS = -G Ninja -DCMAKE_BUILD_TYPE=Release
# Several build folders of one checkout share compiled objects when ccache is at hand.
CCACHE     := $(shell command -v ccache)
ifneq ($(CCACHE),)
CMAKE_FLAGS += -DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE)
endif

export QT_QPA_PLATFORM ?= offscreen

.PHONY: deps test-deps build test run asan fuzz bench tidy docs clean

# What building and running needs; the tests' readers, servers and locales come with make test.
deps:
	@scripts/install-deps.sh build

test-deps:
	@scripts/install-deps.sh build test

build: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

test: test-deps build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

asan: test-deps
	@scripts/install-deps.sh fuzz
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUIREL_SANITIZE=ON \
		$(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE)) >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
		ctest --output-on-failure -j $(JOBS)

fuzz: deps
	@scripts/install-deps.sh fuzz
	@scripts/fuzz-smoke.sh build-fuzz $(FUZZ_SECONDS)

# Release build in a folder of its own; prints every figure of the performance targets.
bench: deps
	@scripts/install-deps.sh bench
	@/usr/bin/python3 bench/run-bench.py --build $(BENCH_BUILD) $(BENCH_ARGS)

# Only the program, its tools and the sample database: the test suites are not needed to run.
RUN_TARGETS = ordemcompra pxdump sampledb_generator sampledb

run: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target $(RUN_TARGETS)
	@scripts/run-order.sh $(BUILD) $(ORDER)

# clang-tidy over the product's sources (tests, fuzz and bench are left out) with .clang-tidy's
# checks; any finding fails. Needs the build folder's compile_commands.json.
TIDY_SOURCES = '$(CURDIR)/(platform|support|db|pages|report|filters|preview|app|tools)/.*\.cpp$$'

tidy: deps
	@scripts/install-deps.sh tidy
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target ordemcompra pxdump sampledb_generator
	@run-clang-tidy-14 -p $(BUILD) -j $(JOBS) -quiet $(TIDY_SOURCES)

# The library's API documentation into $(BUILD)/docs/html; any Doxygen warning fails it.
VERSION = $(shell awk '/^project/ { for (i = 1; i < NF; i++) if ($$i == "VERSION") print $$(i + 1) }' CMakeLists.txt)

docs:
	@scripts/install-deps.sh docs
	@mkdir -p $(BUILD)/docs
	@QUIREL_DOCS_OUTPUT=$(BUILD)/docs QUIREL_VERSION=$(VERSION) doxygen docs/Doxyfile
	@echo "API documentation: $(BUILD)/docs/html/index.html"

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
