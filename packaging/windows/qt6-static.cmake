# The static Qt 6 for 64-bit Windows that stakora.exe links, configured from
# Debian's qt6-base source with the host's moc, rcc and uic. Read with
# `cmake -C` by scripts/windows-desktop.sh; a change here rebuilds the cache.
set(CMAKE_BUILD_TYPE Release CACHE STRING "")
set(BUILD_SHARED_LIBS OFF CACHE BOOL "")
set(QT_HOST_PATH /usr CACHE PATH "")
set(Qt6HostInfo_DIR /usr/lib/x86_64-linux-gnu/cmake/Qt6HostInfo CACHE PATH "")
set(QT_BUILD_EXAMPLES OFF CACHE BOOL "")
set(QT_BUILD_TESTS OFF CACHE BOOL "")
set(QT_BUILD_BENCHMARKS OFF CACHE BOOL "")
set(QT_BUILD_TOOLS_WHEN_CROSSCOMPILING OFF CACHE BOOL "")

# What the program does not use. The window tests drive the widgets with
# QTest, so testlib stays.
foreach(feature sql network opengl dbus printsupport concurrent xml icu
                # Debian's repack leaves out the tablet header the windows
                # plugin would include.
                tabletevent
                # With OpenGL off, Qt 6.4's windows plugin does not compile
                # with dynamic GL on.
                dynamicgl
                vulkan sql_sqlite jpeg gif
                # Not needed, and their host tools would have to be built.
                androiddeployqt macdeployqt windeployqt)
  set(FEATURE_${feature} OFF CACHE BOOL "")
endforeach()
# No OpenGL at all, as configure's -no-opengl: with only the feature off,
# Qt still asks for dynamic OpenGL on Windows.
set(INPUT_opengl no CACHE STRING "")
set(FEATURE_testlib ON CACHE BOOL "")
set(FEATURE_accessibility ON CACHE BOOL "")

# The libraries Qt carries in its source, not the host's.
foreach(library zlib png freetype harfbuzz pcre2 doubleconversion jpeg)
  set(FEATURE_system_${library} OFF CACHE BOOL "")
endforeach()
set(FEATURE_freetype ON CACHE BOOL "")
set(FEATURE_harfbuzz ON CACHE BOOL "")
