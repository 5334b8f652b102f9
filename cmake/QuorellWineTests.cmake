# Tests of a Windows cross build run under wine (the toolchain's CROSSCOMPILING_EMULATOR). One
# wineserver serves the whole run: a fixture starts it persistent, with its output sent to /dev/null,
# because a server started by the first test would inherit that test's output pipe and CTest would wait
# for it. The wine prefix lives in the build folder, so a fresh build needs nothing from the user.
set(QUORELL_WINEPREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
set(QUORELL_WINE_ENVIRONMENT WINEPREFIX=${QUORELL_WINEPREFIX} WINEDEBUG=-all)

add_test(NAME wine.start COMMAND ${PROJECT_SOURCE_DIR}/scripts/lib/wine-server.sh start)
add_test(NAME wine.stop COMMAND ${PROJECT_SOURCE_DIR}/scripts/lib/wine-server.sh stop)
set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine ENVIRONMENT "${QUORELL_WINE_ENVIRONMENT}" TIMEOUT 300)
set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine ENVIRONMENT "${QUORELL_WINE_ENVIRONMENT}" TIMEOUT 60)

# quorell_wine_tests(<test>...): runs the tests in the wine fixture.
function(quorell_wine_tests)
  if(ARGN)
    set_tests_properties(${ARGN} PROPERTIES FIXTURES_REQUIRED wine ENVIRONMENT "${QUORELL_WINE_ENVIRONMENT}")
  endif()
endfunction()
