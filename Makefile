# The three commands of the README, and the benchmark and fuzz runs.
# Each one first installs whatever Debian packages are missing.

BUILD      := build
ASAN_BUILD := build-asan
FUZZ_BUILD := build-fuzz
WEB_BUILD  := build-web
# Debian's emscripten finds its node modules there when node is not Debian's.
export NODE_PATH := /usr/share/nodejs
FUZZ_SECONDS ?= 60

export ASAN_OPTIONS  := detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS := print_stacktrace=1:halt_on_error=1

.PHONY: all deps build build-asan web test run serve bench fuzz package clean

all: build

deps:
	@bash scripts/install-deps

build: deps
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	@cmake --build $(BUILD)

build-asan: deps
	@[ -f $(ASAN_BUILD)/build.ninja ] || cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
		-DTAVOLINI_SANITIZE=ON -DTAVOLINI_BENCH=OFF
	@cmake --build $(ASAN_BUILD)

# The web edition in $(WEB_BUILD)/site, and its scenario driver's browser control.
web: deps
	@[ -f $(WEB_BUILD)/build.ninja ] || emcmake cmake -S . -B $(WEB_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(WEB_BUILD)
	@[ tools/web-drive/node_modules/.package-lock.json -nt tools/web-drive/package-lock.json ] || \
		(cd tools/web-drive && npm ci --no-audit --no-fund --silent)

# Every test (the web edition's scenarios too), then every test again under
# AddressSanitizer and UndefinedBehaviorSanitizer.
test: build build-asan web
	@echo "== tests =="
	@cd $(BUILD) && ctest --output-on-failure
	@echo "== tests under AddressSanitizer + UndefinedBehaviorSanitizer =="
	@cd $(ASAN_BUILD) && ctest --output-on-failure

run: build
	@bash scripts/run-tavolini

# The class server on its embedded database, serving the web edition;
# SERVER_OPTIONS are passed on (make serve SERVER_OPTIONS='--listen 0.0.0.0:8080').
serve: web
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	@cmake --build $(BUILD) --target tavolini-server
	@$(BUILD)/src/server/tavolini-server $(SERVER_OPTIONS)

bench: build web
	@$(BUILD)/bench/tavolini_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	@QT_QPA_PLATFORM=offscreen $(BUILD)/bench/tavolini_page_bench --benchmark_repetitions=5 \
		--benchmark_report_aggregates_only=true
	@QT_QPA_PLATFORM=offscreen $(BUILD)/bench/tavolini_window_bench --benchmark_repetitions=5 \
		--benchmark_report_aggregates_only=true
	@bash scripts/startup-bench $(BUILD)
	@for engine in chromium firefox webkit; do TAVOLINI_BROWSER=$$engine tools/web-drive/web-bench || exit 1; done
	@bash scripts/server-bench $(BUILD)

fuzz: deps
	@[ -f $(FUZZ_BUILD)/build.ninja ] || CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja \
		-DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVOLINI_FUZZ=ON
	@cmake --build $(FUZZ_BUILD)
	@for target in $(FUZZ_BUILD)/fuzz/fuzz_*; do \
		corpus=fuzz-corpus/$$(basename $$target); mkdir -p $$corpus; \
		echo "== $$target for $(FUZZ_SECONDS) s =="; \
		$$target -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 $$corpus fuzz/seeds/$$(basename $$target) \
			|| exit 1; \
	done

# The Debian package, in build/: tavolini_VERSION_ARCH.deb, with the web edition the server serves.
package: build web
	@cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(WEB_BUILD)
