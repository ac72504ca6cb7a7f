# SPDX-License-Identifier: GPL-3.0-or-later
# Thin wrapper over CMake.
#   make run    install what is missing, build, start the game in build/game
#   make test   install what is missing, build everything, run every test
#   make sanitize   the tests again, built with AddressSanitizer and UBSan
#   make install    build, then install under /usr/local (PREFIX=... elsewhere)
#   make package    build, draw the screenshots (make ecrans), then the Debian packages
#                   build/vorna_*.deb and build/vorna-scores_*.deb (VERSION=1.5 for another
#                   version; every target configures the version given, or the default one)
#   make run-server the leaderboard server on port 8080, its scores in build/scores/
#   make fuzz   the file readers under libFuzzer, FUZZ_SECONDS (600) per target
#   make planche    the contact sheet of the shipped levels, build/planche-niveaux.png
#   make ecrans     the AppStream screenshots, build/ecrans/*.png
#   make niveaux    rewrite maps/ from the level generator in tools/niveaux

BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CTEST_FLAGS ?= --output-on-failure -j$(JOBS)

.PHONY: all deps configure build game run run-server test sanitize fuzz bench planche ecrans niveaux clean installable install package

all: build

deps:
	@./scripts/deps.sh

# A build folder keeps the version it was configured with in its cache: each
# target sets it again, to VERSION when given, else back to the default one.
configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(if $(VERSION),-DVORNA_VERSION=$(VERSION),-UVORNA_VERSION)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

# Only what playing needs: the programs, their data and the shipped levels.
game: configure
	cmake --build $(BUILD) -j$(JOBS) --target vorna bramelt vorna_data vorna_maps

run: game
	cd $(BUILD)/game && ./vorna

# A local leaderboard for the game's score links: VORNA_SCORE_SERVER=localhost:8080 make run
run-server: configure
	cmake --build $(BUILD) -j$(JOBS) --target vorna-scores vorna_data
	mkdir -p $(BUILD)/scores
	$(BUILD)/server/vorna-scores --port 8080 --data $(BUILD)/scores

test: build
	cd $(BUILD) && xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest $(CTEST_FLAGS)

sanitize: deps
	cmake -S . -B $(BUILD)-asan -DCMAKE_BUILD_TYPE=Debug -DVORNA_SANITIZE=ON -DVORNA_BENCH=OFF
	cmake --build $(BUILD)-asan -j$(JOBS)
	cd $(BUILD)-asan && xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest $(CTEST_FLAGS)

# What installing takes: the programs, their data and the desktop's icons.
installable: configure
	cmake --build $(BUILD) -j$(JOBS) --target vorna bramelt vorna-scores vorna_data vorna_icons

install: installable
	cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX))

package: installable ecrans
	cd $(BUILD) && cpack

FUZZ_SECONDS ?= 600
fuzz: deps
	./scripts/fuzz.sh $(FUZZ_SECONDS)

# One picture from above and one from the start of every shipped level.
planche: configure
	cmake --build $(BUILD) -j$(JOBS) --target vorna_planche vorna_data vorna_maps
	cd $(BUILD)/game && SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1280x1024x24" \
		../tools/planche/vorna_planche ../planche-niveaux.png

# The screenshots the AppStream metainfo lists, drawn by the programs in the
# game folder; installed into share/vorna/screenshots. (The game program
# closes its display before the others open theirs: the server must not reset.)
ecrans: configure
	cmake --build $(BUILD) -j$(JOBS) --target vorna_ecrans vorna_data vorna_maps
	cd $(BUILD)/game && SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
		../tools/planche/vorna_ecrans ../ecrans

niveaux: configure
	cmake --build $(BUILD) -j$(JOBS) --target vorna_niveaux
	$(BUILD)/tools/niveaux/vorna_niveaux maps

bench: build
	./scripts/bench.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(BUILD)-asan build-fuzz
