# SPDX-FileCopyrightText: 2026 Kelvane Extras developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The .deb that `cpack` builds from the install rules; lintian accepts it without a warning.

# Debian's hardened builds bind every symbol at start, so that the loader can make the whole
# relocation table read-only.
target_link_options(kelvane-extras PRIVATE LINKER:-z,now)

# A stripped install (cpack, or cmake --install --strip) drops the compiler's .comment and .note
# sections too, as Debian's own packages do.
set(installed_program
    "\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/kelvane-extras")
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND ${CMAKE_STRIP} --remove-section=.comment --remove-section=.note
                                \"${installed_program}\" COMMAND_ERROR_IS_FATAL ANY)
    endif()")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvane-extras)
set(CPACK_PACKAGE_CONTACT "Kelvane Extras developers <dev@kelvane-extras.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION [[
A launcher opens two tools for card-counting blackjack players and teams.

Team Analysis turns a table of playing sessions copied from a spreadsheet
(amount won or lost, length in minutes) into dollars per hour, charts the
rates on an individuals and moving-range control chart and lists which
signal rules fire, each a hint at over-betting, cheating, stealing,
over-protection or fear of betting the maximum.

The NRS Calculator works out the pseudo-decks, the multiplier and the
adjustment of a tracked non-random shuffle for three ways of cutting the
slug.]])
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Control-chart statistics and shuffle arithmetic for players: numeric tools, and no game to play.
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/kelvane-extras/KelvaneExtras)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Every caption is laid out for Liberation Sans; without it Qt falls back to a wider font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation2)
set(CPACK_STRIP_FILES ON)
include(CPack)
