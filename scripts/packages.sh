# The Debian packages the build, the tests and the program need.
MIRVA_BUILD_PACKAGES=(cmake ninja-build g++ make)
MIRVA_TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev)
MIRVA_DATA_PACKAGES=(hamradio-files)
# Node runs the independent ADIF reader of the command-line tests; the program does not need it.
MIRVA_NODE_PACKAGES=(nodejs npm)
