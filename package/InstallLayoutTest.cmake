# Installs the build into a staging folder as a packager does (DESTDIR, prefix /usr) and checks
# that exactly the expected files arrive, with the desktop file naming the installed game.
#   cmake -DBUILD_DIR=... -DSTAGE=... -P InstallLayoutTest.cmake
file(REMOVE_RECURSE ${STAGE})
set(ENV{DESTDIR} ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

set(expected
  usr/bin/jadeleaf
  usr/bin/jadeleaf-cli
  usr/share/applications/jadeleaf.desktop
  usr/share/icons/hicolor/scalable/apps/jadeleaf.svg
  usr/share/jadeleaf/jl_res10.res
  usr/share/man/man6/jadeleaf-cli.6.gz
  usr/share/man/man6/jadeleaf.6.gz
  usr/share/metainfo/example.quarrow.jadeleaf.metainfo.xml
)
foreach(size 16 24 32 48 64 128 256)
  list(APPEND expected usr/share/icons/hicolor/${size}x${size}/apps/jadeleaf.png)
endforeach()
file(GLOB_RECURSE found RELATIVE ${STAGE} ${STAGE}/*)
list(SORT expected)
list(SORT found)
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "installed files differ:\n found    ${found}\n expected ${expected}")
endif()

file(READ ${STAGE}/usr/share/applications/jadeleaf.desktop desktop)
foreach(line "Exec=/usr/bin/jadeleaf" "Icon=jadeleaf")
  string(FIND "${desktop}" "${line}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the desktop file lacks ${line}:\n${desktop}")
  endif()
endforeach()
file(REMOVE_RECURSE ${STAGE})
