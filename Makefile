# Corvanta: `make play` starts the game, `make test` builds and runs every test.
# Both install whatever Debian packages are missing first (tools/bootstrap).

HOST_BUILD    := build/host
WINDOWS_BUILD := build/windows
BENCH_BUILD   := build/bench
JOBS          := $(shell nproc 2>/dev/null || echo 2)
EXE           := $(WINDOWS_BUILD)/app/Corvanta.exe

.PHONY: all play test bench bootstrap host windows clean screenshot

all: host windows

bootstrap:
	@tools/bootstrap

$(HOST_BUILD)/CMakeCache.txt:
	cmake -S . -B $(HOST_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(WINDOWS_BUILD)/CMakeCache.txt:
	cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_BUILD_TYPE=Release \
	      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake

host: bootstrap $(HOST_BUILD)/CMakeCache.txt
	cmake --build $(HOST_BUILD) -j $(JOBS)

windows: bootstrap $(WINDOWS_BUILD)/CMakeCache.txt
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)

test: host windows
	tools/run-tests $(HOST_BUILD) $(WINDOWS_BUILD)

# The game runs in the player's own default Wine prefix, so the score table
# survives rebuilds and `make clean`.
play: bootstrap $(WINDOWS_BUILD)/CMakeCache.txt
	@if [ -z "$$DISPLAY" ]; then \
	    echo "make play: no display (DISPLAY is not set)." >&2; \
	    echo "Run it from a desktop session, or over SSH with X forwarding (ssh -X)," >&2; \
	    echo "or try it headless with: xvfb-run -a make play" >&2; \
	    exit 2; \
	fi
	cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target Corvanta
	WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" wine $(EXE)

bench: bootstrap $(WINDOWS_BUILD)/CMakeCache.txt
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DCORVANTA_SANITIZE=OFF
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target corvanta_bench
	$(BENCH_BUILD)/bench/corvanta_bench
	# The whole program under Wine, beside a bare window with a 30 ms timer.
	cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target Corvanta CorvantaSeeded \
	      corvanta_floor corvanta_gdi_slot
	tools/bench-program $(WINDOWS_BUILD)

# A picture of a game in progress (the seeded build, so the same trios every
# time), taken inside its own Xvfb display: build/screenshot.png.
screenshot: bootstrap $(WINDOWS_BUILD)/CMakeCache.txt
	cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target CorvantaSeeded
	tools/screenshot $(WINDOWS_BUILD) build/screenshot.png

clean:
	rm -rf build

# ---- Shipping: the Windows downloads, and installing on Linux ------------
# make dist        dist/Corvanta-<version>-win64.zip and -setup.exe
# make install     the `corvanta` launcher (Wine), menu entry and icon under
#                  PREFIX (/usr/local for root, ~/.local otherwise; DESTDIR too)
# make uninstall   removes them again; the scores in the Wine prefix stay
DIST_DIR := dist
ifeq ($(shell id -u),0)
PREFIX ?= /usr/local
else
PREFIX ?= $(HOME)/.local
endif
DESTDIR ?=

.PHONY: dist install uninstall

dist: bootstrap $(WINDOWS_BUILD)/CMakeCache.txt
	cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target Corvanta
	tools/make-dist $(EXE) $(DIST_DIR)

install: bootstrap $(WINDOWS_BUILD)/CMakeCache.txt
	cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target Corvanta
	PREFIX="$(PREFIX)" DESTDIR="$(DESTDIR)" packaging/linux-install install $(EXE)

uninstall:
	PREFIX="$(PREFIX)" DESTDIR="$(DESTDIR)" packaging/linux-install uninstall
