# The Debian package: `make package`. Its contents are exactly the install rules.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Kelmora developers")
set(CPACK_PACKAGE_CONTACT "The Kelmora developers <kelmora@example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://kelmora.example.org)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Russian-language quiz game played against the clock")
# Lines of at most 79 characters: dpkg shows them indented by one blank.
set(CPACK_PACKAGE_DESCRIPTION
    "Kelmora is a single-player quiz game with a Russian-language interface. The
player signs in, picks a topic for replacement questions and climbs a
five-round prize ladder against a four-minute clock, typing each answer. A
wrong answer leads into the gong game, and every payout is offered to a table
of the hundred best results. Each player's accounts, records and game log live
in a folder of their own.

The package also holds two tools: kelmora-check, which checks question bases
for authors, and kelmora-import, which brings questions in from CSV/TSV tables
and .siq packs.

Кельмора - викторина для одного игрока на русском языке: пять раундов лестницы
выигрышей за четыре минуты, ответы вписываются самим игроком, после проигрыша -
гонг-игра, лучшие выигрыши - в таблице рекордов.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
