# The Windows build's tests run under Wine in a prefix of their own inside
# the build folder, which the build makes. Wine would otherwise make ~/.wine
# on its first run, which takes ten seconds and more; when that first run was
# GoogleTest's test discovery, which gives a program 5 s to list its tests,
# the build failed on a new machine. The tests and their listing run through
# the emulator, which names the prefix.
set(WAVEMARK_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
set(wine_environment env WINEPREFIX=${WAVEMARK_WINE_PREFIX} WINEDEBUG=-all)
set(CMAKE_CROSSCOMPILING_EMULATOR ${wine_environment} ${CMAKE_CROSSCOMPILING_EMULATOR})

# Without Mono and Gecko, which the programs do not need and whose installers
# would wait for an answer on a desktop.
add_custom_command(
    OUTPUT ${WAVEMARK_WINE_PREFIX}/system.reg
    COMMAND ${wine_environment} WINEDLLOVERRIDES=mscoree,mshtml= wineboot --init
    COMMAND ${wine_environment} wineserver --wait
    COMMENT "Making the Wine prefix the tests run in")
add_custom_target(wine_prefix ALL DEPENDS ${WAVEMARK_WINE_PREFIX}/system.reg)

# The tests are listed when ctest starts, after the build has made the
# prefix, and not while the build keeps the machine busy.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
