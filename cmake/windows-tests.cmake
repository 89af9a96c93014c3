# The tests of the Windows build, run under wine: GoogleTest built from Debian's sources (no
# MinGW package carries it), and one wine prefix under the build folder that every test
# shares, made once by the first test of a run. (GoogleTest names its targets GTest::gtest and
# GTest::gtest_main itself.)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Wine reads the command line of a program it starts in the locale's code page: UTF-8 here.
set(MIRVA_WINE_ENV "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix" "WINEDEBUG=-all" "LC_ALL=C.UTF-8"
                   "WINEDLLOVERRIDES=mscoree,mshtml=")

# A test `name` of the Windows build: the command runs with the shared prefix made.
function(mirva_wine_test name)
  add_test(NAME ${name} COMMAND ${ARGN})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine ENVIRONMENT "${MIRVA_WINE_ENV}"
                                          SKIP_RETURN_CODE 77)
endfunction()

function(mirva_wine_tests)
  set(script ${CMAKE_SOURCE_DIR}/tests/windows/wine_prefix.sh)
  add_test(NAME windows.prefix COMMAND bash ${script} start)
  add_test(NAME windows.prefix_end COMMAND bash ${script} stop)
  set_tests_properties(windows.prefix PROPERTIES FIXTURES_SETUP wine
                                                 ENVIRONMENT "${MIRVA_WINE_ENV}")
  set_tests_properties(windows.prefix_end PROPERTIES FIXTURES_CLEANUP wine
                                                     ENVIRONMENT "${MIRVA_WINE_ENV}")
  # One wine process for the whole program: starting one per test would cost more than the
  # tests themselves.
  # Left out on Windows, each for a reason of the platform, not of the code under test:
  # symbolic links (wine cannot make them) and POSIX permissions, two names that differ only in letter case (one
  # file on Windows), and in-memory file systems whose paths are joined with '/' where Windows
  # joins with '\'.
  set(posix_only
      RescoreTest.ALinkedLogStaysLinked OutputFileTest.RefusesOtherWaysToTheSameFiles
      OutputFileTest.WritesEveryOtherFile BandPlanFileTest.ALinkStaysAndItsFileIsReplaced
      BandPlanFileTest.ReadingAndWritingMeetInOneFileWhateverItsCase
      LogStoreTornTailTest.SetAsideOrLeaveAloneWhateverFails LogStoreReaderTest.ReadingChangesNoFile
      LogFailureTest.AnyFailedStepLeavesFileAndMemoryAsBefore
      LogFailureTest.AFailedUndoStopsEveryChangeUntilTheLogIsLoadedAgain
      LogStoreTest.ChangesKeepTheLinkAndThePermissionsAndRefuseAReadOnlyLog)
  list(JOIN posix_only ":" filter)
  mirva_wine_test(windows.core_tests core_tests --gtest_brief=1 --gtest_filter=-${filter})
  mirva_windows_link_tests()
endfunction()

# The companion link on the Windows path: the transmit buffer over a stand-in exchange
# library, the registered messages, and mirva-cli's link driven by a test companion.
function(mirva_windows_link_tests)
  add_library(pelkorex_stub SHARED tests/windows/pelkorex_stub.cpp)
  set_target_properties(pelkorex_stub PROPERTIES OUTPUT_NAME pelkorex PREFIX ""
                                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/stub)
  add_executable(win32_link_test tests/windows/win32_link_test.cpp)
  target_link_libraries(win32_link_test PRIVATE mirva_platform GTest::gtest GTest::gtest_main)
  target_include_directories(win32_link_test PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
  add_dependencies(win32_link_test pelkorex_stub)
  mirva_warnings(win32_link_test)
  mirva_wine_test(windows.link_tx win32_link_test --gtest_brief=1)

  add_executable(companion tests/windows/companion.cpp)
  mirva_warnings(companion)
  mirva_wine_test(windows.link bash ${CMAKE_SOURCE_DIR}/tests/windows/link.sh
                  $<TARGET_FILE:mirva-cli> ${CMAKE_SOURCE_DIR} $<TARGET_FILE:companion>)
  set(MIRVA_NATIVE_CLI ${CMAKE_SOURCE_DIR}/build/release/mirva-cli CACHE FILEPATH
      "A native mirva-cli whose output the Windows one must match")
  mirva_wine_test(windows.cli bash ${CMAKE_SOURCE_DIR}/tests/windows/cli_smoke.sh
                  $<TARGET_FILE:mirva-cli> ${CMAKE_SOURCE_DIR} ${MIRVA_NATIVE_CLI})
  # Both share the wine prefix's Windows folder and the user's settings.
  set_tests_properties(windows.link windows.cli PROPERTIES RUN_SERIAL ON)
endfunction()
