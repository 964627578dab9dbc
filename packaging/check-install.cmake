# SPDX-FileCopyrightText: 2026 Kelvane Extras developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs into a scratch prefix and checks that the launcher can find the program and its icon.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(expected
        bin/kelvane-extras
        share/applications/${APP_ID}.desktop
        share/metainfo/${APP_ID}.metainfo.xml
        share/icons/hicolor/32x32/apps/kelvane-extras.png
        share/icons/hicolor/256x256/apps/kelvane-extras.png
        share/icons/hicolor/scalable/apps/kelvane-extras.svg
        share/man/man1/kelvane-extras.1.gz)
    if(NOT EXISTS ${PREFIX}/${expected})
        message(FATAL_ERROR "missing after install: ${expected}")
    endif()
endforeach()
