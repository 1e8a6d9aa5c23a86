# The commands of the README. Each one installs what is missing first.
JOBS    ?= $(shell nproc)
RELEASE := build/release
ASAN    := build/asan
TSAN    := build/tsan
FUZZDIR := build/fuzz
DEMO    ?= QSY/DEMO.QSY
FUZZ_SECONDS ?= 30
DISPLAY_RUN := ./scripts/with-display
# Where `make install` puts the program; DESTDIR stages it for a package.
PREFIX  ?= /usr/local
DESTDIR ?=

.PHONY: deps bench-deps build run install uninstall test unit-asan unit-tsan bench fuzz gallery panels screenshots clean

deps:
	@./scripts/install-deps

# What only the benchmarks use: Pure Data for the side-by-side render, perf.
bench-deps:
	@./scripts/install-deps bench

build: deps
	cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(RELEASE) -j $(JOBS)

run: build
	cd data && ../$(RELEASE)/qmodular $(DEMO)

# The program, its read-only data in $(PREFIX)/share/qmodular, the manual page,
# the desktop entry and its icons, the font's licence; the record of it all in
# $(PREFIX)/share/qmodular/installed-files, which uninstall reads.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(RELEASE) --prefix "$(PREFIX)"

uninstall:
	./dist/uninstall "$(DESTDIR)$(PREFIX)"

test: build unit-asan unit-tsan
	$(DISPLAY_RUN) ctest --test-dir $(RELEASE) --output-on-failure -j $(JOBS)

# The unit tests a second time, under AddressSanitizer and UndefinedBehaviorSanitizer.
unit-asan: deps
	cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=Debug -DQM_SANITIZE=ON
	cmake --build $(ASAN) -j $(JOBS)
	LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp \
	    $(DISPLAY_RUN) ctest --test-dir $(ASAN) -L unit --output-on-failure -j $(JOBS)

# The synthesis and application unit tests once more, under ThreadSanitizer:
# what both threads write must be atomic, and connections moved while the
# sound plays must reach the audio thread through atomics only. The
# suppressions list the deliberate plain stores of parameters.
unit-tsan: deps
	cmake -S . -B $(TSAN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_TSAN=ON
	cmake --build $(TSAN) -j $(JOBS) --target test_synth test_app
	cd data && for t in test_synth test_app; do \
	    TSAN_OPTIONS="suppressions=$(CURDIR)/scripts/tsan.supp halt_on_error=1" \
	        ../$(TSAN)/tests/$$t || exit 1; done

# Under a private X display when none is set: the window loop's benchmark
# opens the program's window.
bench: bench-deps build
	@for b in $(RELEASE)/bench/bench_*; do echo "== $$b"; \
	    (cd data && ../$(DISPLAY_RUN) ../$$b) || exit 1; done
	@echo "== bench/key_to_sound.py"
	$(DISPLAY_RUN) /usr/bin/python3 bench/key_to_sound.py --exe $(RELEASE)/qmodular --data data

# Optimised (-O2) with AddressSanitizer and UndefinedBehaviorSanitizer.
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZDIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_FUZZ=ON -DQM_SANITIZE=ON
	cmake --build $(FUZZDIR) -j $(JOBS) --target fuzzers
	./scripts/run-fuzzers $(FUZZDIR) $(FUZZ_SECONDS)

gallery: build
	cd data && ../$(DISPLAY_RUN) ../$(RELEASE)/tools/qm_gallery ../build/gallery.png

# The panels of a patch in the front, the back and the compact view.
PATCH ?= QSY/DEMO.QSY
panels: build
	cd data && ../$(DISPLAY_RUN) ../$(RELEASE)/tools/qm_panel_pictures $(PATCH) \
	    ../build/panels-front.png ../build/panels-back.png ../build/panels-compact.png

# The pictures of the README: the program on the demo patch in its window,
# driven with real X input, saved into docs/.
screenshots: build
	/usr/bin/python3 tools/screenshots.py --exe $(RELEASE)/qmodular --data data --out docs

clean:
	rm -rf build
