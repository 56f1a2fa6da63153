# make run   installs what is missing, builds and starts Zelvane
# make test  installs what is missing, builds with sanitizers, runs every test
#            (the window tests under Xvfb)
# make install   builds and installs the program, its menu entry and icon
#                under PREFIX (default /usr/local)
# make package   builds a Debian package (build/release/zelvane_*.deb)
# make bench builds optimised and runs the benchmarks
# make fuzz  builds the picture loaders under libFuzzer and fuzzes each for
#            FUZZ_SECONDS (default 600); not part of make test
CMAKE_GEN    := -G Ninja
RELEASE_DIR  := build/release
TEST_DIR     := build/test
BENCH_DIR    := build/bench
FUZZ_DIR     := build/fuzz
FUZZ_SECONDS ?= 600
PREFIX       ?= /usr/local
CORPUS_DIR   := fuzz/corpus-work
XVFB         := xvfb-run -a -s "-screen 0 1600x1000x24 -nolisten tcp"

.PHONY: setup build run icon install package test bench fuzz clean

setup:
	scripts/setup

build: setup
	cmake -S . -B $(RELEASE_DIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELVANE_TESTS=OFF
	cmake --build $(RELEASE_DIR)

run: build
	$(RELEASE_DIR)/zelvane

# Redraws data/zelvane.png, the icon file for desktop icon themes.
icon: build
	$(RELEASE_DIR)/zelvane_write_icon data/zelvane.png

install: build
	cmake --install $(RELEASE_DIR) --prefix $(PREFIX) --strip

package: build
	scripts/setup package
	cd $(RELEASE_DIR) && cpack

test: setup
	cmake -S . -B $(TEST_DIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DZELVANE_SANITIZE=ON
	cmake --build $(TEST_DIR)
	$(XVFB) ctest --test-dir $(TEST_DIR) --output-on-failure -j2

bench: setup
	cmake -S . -B $(BENCH_DIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DZELVANE_TESTS=OFF -DZELVANE_BENCH=ON
	cmake --build $(BENCH_DIR)
	for b in $(BENCH_DIR)/bench/*_bench; do $$b; done

fuzz:
	scripts/setup fuzz
	CC=clang CXX=clang++ cmake -S fuzz -B $(FUZZ_DIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_DIR)
	$(FUZZ_DIR)/make_seeds $(FUZZ_DIR)/seeds
	for f in bmp jpeg; do \
	  mkdir -p $(CORPUS_DIR)/$$f && \
	  $(FUZZ_DIR)/load_$${f}_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=65536 \
	    -rss_limit_mb=4096 -print_final_stats=1 $(CORPUS_DIR)/$$f $(FUZZ_DIR)/seeds/$$f || exit 1; \
	done

clean:
	rm -rf build
