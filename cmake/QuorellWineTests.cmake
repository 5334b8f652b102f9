# Tests of a Windows cross build run under wine (the toolchain's CROSSCOMPILING_EMULATOR). One
# wineserver serves the whole run: a fixture starts it persistent, with its output sent to /dev/null,
# because a server started by the first test would inherit that test's output pipe and CTest would wait
# for it. The wine prefix lives in the build folder, so a fresh build needs nothing from the user.
set(QUORELL_WINEPREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
# No display: the tests are console programs, and a desktop session must not see wine's windows.
set(QUORELL_WINE_ENVIRONMENT WINEPREFIX=${QUORELL_WINEPREFIX} WINEDEBUG=-all DISPLAY= WAYLAND_DISPLAY=)

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

# A simplified-Chinese Windows (ANSI code page 936) for the tests that call Windows' ANSI functions.
# Wine takes the code page from the locale's name, and needs the locale itself to keep file names in
# UTF-8 on the Linux side: zh_CN.UTF-8 is made into the build folder (localedef, from Debian's libc-bin
# and locales), so the machine's own locales are left alone.
set(QUORELL_CHINESE_LOCALES ${CMAKE_BINARY_DIR}/locales)
file(MAKE_DIRECTORY ${QUORELL_CHINESE_LOCALES})
add_test(NAME wine.chinese-locale COMMAND localedef -i zh_CN -f UTF-8 ${QUORELL_CHINESE_LOCALES}/zh_CN.UTF-8)
set_tests_properties(wine.chinese-locale PROPERTIES FIXTURES_SETUP chinese_locale TIMEOUT 120)

# quorell_chinese_windows_tests(<test>...): runs wine tests in the simplified-Chinese code page.
function(quorell_chinese_windows_tests)
  if(ARGN)
    set_property(TEST ${ARGN} APPEND PROPERTY FIXTURES_REQUIRED chinese_locale)
    set_property(TEST ${ARGN} APPEND PROPERTY ENVIRONMENT LC_ALL=zh_CN.UTF-8 LOCPATH=${QUORELL_CHINESE_LOCALES})
  endif()
endfunction()
