# The Debian packages the build, the tests and the program need.
MIRVA_BUILD_PACKAGES=(cmake ninja-build g++ make)
MIRVA_TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev)
MIRVA_DATA_PACKAGES=(hamradio-files)
