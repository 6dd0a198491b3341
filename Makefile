# Keelvane: set-up, build, test and run on a Debian machine (run as root on a fresh one).
PACKAGES := g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
            qt6-base-dev qt6-svg-dev libgl-dev locales \
            libocct-data-exchange-dev libocct-modeling-data-dev libocct-modeling-algorithms-dev \
            python3-ezdxf
# The libraries the speed comparison measures against; CGAL serves nothing else.
PEER_PACKAGES := libocct-modeling-data-dev libcgal-dev
# The fuzz targets need clang with libFuzzer; only `make fuzz` asks for them.
FUZZ_PACKAGES := clang libclang-rt-14-dev
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)

# Installs those of the packages $(1) that are missing, so a prepared machine needs no network.
define install_missing
	@missing=""; \
	for p in $(1); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing:$$missing"; \
	    apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y $$missing; \
	fi
endef

.PHONY: all deps configure build test run bench bench-peers fuzz mutants clean

all: build

deps:
	$(call install_missing,$(PACKAGES))
	@# A decimal-comma locale, so the tests can show that files ignore the machine's locale.
	@locale -a 2>/dev/null | grep -qi '^de_DE.utf-\?8$$' || localedef -i de_DE -c -f UTF-8 de_DE.UTF-8

configure: deps
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release

build: configure
	cmake --build build -j $(JOBS)

test: deps
	cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKEELVANE_SANITIZE=ON
	cmake --build build-test -j $(JOBS)
	cd build-test && ctest --output-on-failure -j $(JOBS)

# Only what runs: the program and the command-line tool, no tests or benchmarks.
run: configure
	cmake --build build -j $(JOBS) --target keelvane keelvane-cli
	@./scripts/run.sh $(ARGS)

bench: build
	@set -e; for b in build/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

# Keelvane side by side with Open CASCADE and CGAL on the same data, with the speed ratios.
bench-peers: deps
	$(call install_missing,$(PEER_PACKAGES))
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build build -j $(JOBS) --target bench_peers
	./build/bench/peers/bench_peers

# Each fuzz target for FUZZ_SECONDS from its seed corpus (a copy in build-fuzz grows as it runs);
# a finding stops it and leaves the input in build-fuzz/findings.
fuzz: deps
	$(call install_missing,$(FUZZ_PACKAGES))
	cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DCMAKE_CXX_COMPILER=clang++ -DKEELVANE_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS) --target keelvane_fuzzers
	./scripts/fuzz.sh build-fuzz $(FUZZ_SECONDS)

# Plants the one-line faults of scripts/mutants.txt one at a time and lists those the tests miss.
# Run by hand, not by CI: it builds and runs one folder's tests per fault.
mutants: deps
	nice -n 10 ./scripts/mutants.sh

clean:
	rm -rf build build-test build-fuzz
