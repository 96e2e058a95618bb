# Two commands do everything on a fresh Debian machine:
#   make run    build Trenmoor.exe and start it under Wine (under Xvfb with a screenshot when there is no display)
#   make test   build both trees and run every test (native with sanitizers, then Wine and GUI tests)
BUILD ?= build
B := $(abspath $(BUILD))
GTEST_MINGW := $(B)/deps/gtest-mingw
TOOLCHAIN := $(abspath cmake/mingw-w64-x86_64.cmake)

.PHONY: run test deps native native-asan windows prefix test-native test-windows bench format clean

run:
	@scripts/run-program.sh $(B)

test:
	@scripts/run-tests.sh $(B)

deps:
	@scripts/install-deps.sh

native: deps
	@cmake -S . -B $(B)/native -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRENMOOR_TESTS=OFF >/dev/null
	@cmake --build $(B)/native

native-asan: deps
	@cmake -S . -B $(B)/native-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTRENMOOR_SANITIZE=ON >/dev/null
	@cmake --build $(B)/native-asan

windows: deps
	@scripts/build-gtest-mingw.sh $(GTEST_MINGW)
	@cmake -S . -B $(B)/windows -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=$(TOOLCHAIN) \
	  -DGTest_DIR=$(GTEST_MINGW)/lib/cmake/GTest >/dev/null
	@cmake --build $(B)/windows

prefix: deps
	@scripts/make-prefix.sh $(B)

test-native: native-asan
	@ctest --test-dir $(B)/native-asan --timeout 600 --output-on-failure

test-windows: windows prefix
	@scripts/run-wine-tests.sh $(B)

format:
	@find src tests -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(B)
