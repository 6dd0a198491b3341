# Keelvane: set-up, build, test and run on a Debian machine (run as root on a fresh one).
PACKAGES := g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
            qt6-base-dev qt6-svg-dev libgl-dev locales \
            libocct-data-exchange-dev libocct-modeling-data-dev libocct-modeling-algorithms-dev \
            python3-ezdxf
JOBS ?= $(shell nproc)

.PHONY: all deps build test run bench clean

all: build

# Install only what is missing, so a prepared machine needs no network.
deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing:$$missing"; \
	    apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y $$missing; \
	fi
	@# A decimal-comma locale, so the tests can show that files ignore the machine's locale.
	@locale -a 2>/dev/null | grep -qi '^de_DE.utf-\?8$$' || localedef -i de_DE -c -f UTF-8 de_DE.UTF-8

build: deps
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build build -j $(JOBS)

test: deps
	cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKEELVANE_SANITIZE=ON
	cmake --build build-test -j $(JOBS)
	cd build-test && ctest --output-on-failure -j $(JOBS)

run: build
	@./scripts/run.sh $(ARGS)

bench: build
	@set -e; for b in build/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

clean:
	rm -rf build build-test
