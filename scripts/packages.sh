# The Debian packages the build, the tests and the program need.
MIRVA_BUILD_PACKAGES=(cmake ninja-build g++ make qt6-base-dev)
# The statistics window draws its rate chart with Qt Charts, whose CMake package also wants
# Qt's OpenGL modules (a dependency the Debian package leaves out).
MIRVA_BUILD_PACKAGES+=(qt6-charts-dev libqt6opengl6-dev)
# The radio link: Hamlib, found through pkg-config.
MIRVA_BUILD_PACKAGES+=(pkg-config libhamlib-dev)
# The group log: the NATS C client, with JetStream.
MIRVA_BUILD_PACKAGES+=(libnats-dev)
# The windows need a font (a fresh server has none) and the X11 platform plugin.
MIRVA_UI_PACKAGES=(fonts-dejavu-core qt6-qpa-plugins)
MIRVA_TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev)
# The accessibility test runs the program under Xvfb and reads its controls over AT-SPI.
MIRVA_TEST_PACKAGES+=(xvfb dbus-daemon at-spi2-core python3-pyatspi)
# The keyboard test types into the real windows with xdotool, under the openbox window manager.
MIRVA_TEST_PACKAGES+=(openbox xdotool)
# The transmitter's tests key text through cwdaemon, and the companion link's run on a bus
# of their own (dbus-run-session, from dbus-daemon above).
MIRVA_TEST_PACKAGES+=(cwdaemon)
# The radio link's tests run Hamlib's dummy radio behind rigctld.
MIRVA_TEST_PACKAGES+=(libhamlib-utils)
# The group log's tests run their own NATS broker.
MIRVA_TEST_PACKAGES+=(nats-server)
# The format check of ./test.sh: every C++ file against .clang-format, with version 14.
MIRVA_TEST_PACKAGES+=(clang-format-14)
# The Debian package: dpkg-shlibdeps finds its libraries; the package test checks its menu entry
# and manual pages.
MIRVA_TEST_PACKAGES+=(dpkg-dev desktop-file-utils man-db)
MIRVA_DATA_PACKAGES=(hamradio-files)
# Node runs the independent ADIF reader of the command-line tests; the program does not need it.
MIRVA_NODE_PACKAGES=(nodejs npm)
# The Windows build (MinGW-w64) and its tests under wine; ./test.sh only.
MIRVA_WINDOWS_PACKAGES=(mingw-w64 g++-mingw-w64-x86-64-posix wine64 wine)
