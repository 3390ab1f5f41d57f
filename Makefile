# Entry points for people and CI. CMake does the building; see CMakePresets.json.
BUILD := build

.PHONY: all deps configure test demo asan bench clean

all: configure
	cmake --build --preset default -j 2

configure:
	@test -f $(BUILD)/CMakeCache.txt || cmake --preset default >/dev/null

deps:
	@tools/install-deps

test: deps all
	ctest --preset default

demo: deps all
	@tools/demo

asan:
	cmake --preset asan >/dev/null
	cmake --build --preset asan -j 2
	ctest --preset asan

bench: all
	@tools/bench

clean:
	rm -rf $(BUILD) build-asan
