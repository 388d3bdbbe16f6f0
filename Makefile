# The two entry points: `make run` builds and starts Orvala, `make test` builds and runs all tests.
.PHONY: run test build sanitize clean

run:
	bash scripts/run.sh

test:
	bash scripts/test.sh

build:
	bash scripts/build.sh

# Tests under AddressSanitizer and UndefinedBehaviorSanitizer, in a build folder of their own.
sanitize:
	ORVALA_BUILD_DIR=build-asan bash scripts/test.sh -DORVALA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug

clean:
	rm -rf build build-asan
