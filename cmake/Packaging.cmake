# Installing and packaging.
# `cmake --install` lays out the relocatable application folder right at the prefix (component "app").
# The Debian package puts that folder in ORVANTA_PACKAGE_DIR and adds, under /usr, what a desktop needs
# to find it: the launcher, the menu entry and the icons (component "desktop", packaged only).

set(ORVANTA_PACKAGE_RELEASE "0" CACHE STRING "Third part of the package version, 2.4.<release>")
set(_desktopPrefix "/usr")

if(TARGET orvanta)
    install(TARGETS orvanta RUNTIME DESTINATION . COMPONENT app)
else()
    message(WARNING "No target orvanta: the install and the package will lack the program")
endif()

configure_file("${CMAKE_SOURCE_DIR}/packaging/orvanta-launcher.sh.in" "${CMAKE_BINARY_DIR}/packaging/orvanta" @ONLY)
install(PROGRAMS "${CMAKE_BINARY_DIR}/packaging/orvanta"
    DESTINATION "${_desktopPrefix}/bin" COMPONENT desktop EXCLUDE_FROM_ALL)
install(FILES "${CMAKE_SOURCE_DIR}/packaging/orvanta.desktop"
    DESTINATION "${_desktopPrefix}/share/applications" COMPONENT desktop EXCLUDE_FROM_ALL)
# Campaign files get their type, so the file browser opens them in Orvanta (orvanta.desktop's MimeType).
# Software centres find the program by its AppStream metainfo, which names the menu entry it launches.
install(FILES "${CMAKE_SOURCE_DIR}/packaging/app.orvanta.orvanta.metainfo.xml"
    DESTINATION "${_desktopPrefix}/share/metainfo" COMPONENT desktop EXCLUDE_FROM_ALL)
install(FILES "${CMAKE_SOURCE_DIR}/packaging/orvanta-campaign.xml"
    DESTINATION "${_desktopPrefix}/share/mime/packages" RENAME orvanta.xml COMPONENT desktop EXCLUDE_FROM_ALL)
install(FILES "${CMAKE_SOURCE_DIR}/app/icons/orvanta.svg"
    DESTINATION "${_desktopPrefix}/share/icons/hicolor/scalable/apps" COMPONENT desktop EXCLUDE_FROM_ALL)
install(DIRECTORY "${CMAKE_SOURCE_DIR}/app/icons/hicolor/"
    DESTINATION "${_desktopPrefix}/share/icons/hicolor" COMPONENT desktop EXCLUDE_FROM_ALL
    FILES_MATCHING PATTERN "orvanta.png")

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "orvanta")
set(CPACK_PACKAGE_VENDOR "Orvanta")
set(CPACK_PACKAGE_VERSION_MAJOR "${PROJECT_VERSION_MAJOR}")
set(CPACK_PACKAGE_VERSION_MINOR "${PROJECT_VERSION_MINOR}")
set(CPACK_PACKAGE_VERSION_PATCH "${ORVANTA_PACKAGE_RELEASE}")
set(CPACK_PACKAGE_CONTACT "Orvanta developers <dev@orvanta.app>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Affiliate review pages and PDFs with a buyer bonus")
set(CPACK_PACKAGE_DESCRIPTION
    "Orvanta turns a short product review and a bonus offer into a promotional HTML page and a PDF.\n"
    "A three-step wizard collects the review, the bonus (from the shipped catalogue or your own) and\n"
    "the call to action, and Chromium or wkhtmltopdf renders the PDF. The launcher runs a per-user copy of the\n"
    "application folder, so pages and PDFs are written below ~/.local/share/orvanta.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX "${ORVANTA_PACKAGE_DIR}")
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
# Every component that anything installs, the packaging-only one included.
get_cmake_property(CPACK_COMPONENTS_ALL COMPONENTS)
set(CPACK_STRIP_FILES ON)

# The release the package is built on and for, in its version and so its file name (orvanta_2.4.0~deb13_amd64.deb):
# the library versions it depends on are that release's.
set(_release "")
if(EXISTS /etc/os-release)
    file(STRINGS /etc/os-release _osId REGEX "^ID=")
    file(STRINGS /etc/os-release _osVersion REGEX "^VERSION_ID=")
    string(REGEX REPLACE "^ID=\"?([^\"]*)\"?$" "\\1" _osId "${_osId}")
    string(REGEX REPLACE "^VERSION_ID=\"?([^\"]*)\"?$" "\\1" _osVersion "${_osVersion}")
    if(_osId STREQUAL "debian" AND _osVersion)
        set(_release "~deb${_osVersion}")
    endif()
endif()
set(CPACK_DEBIAN_PACKAGE_VERSION
    "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${ORVANTA_PACKAGE_RELEASE}${_release}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "web")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://orvanta.app")
# The fonts are what lets the PDF show accented, Cyrillic, Greek, CJK and emoji text (tests/fonts), and the ones
# the brand offers (packaging/test-fonts.sh).
# Qt's SVG module is loaded as a plugin for the icons, so no library scan can find it. Either engine makes the PDF;
# Chromium's tagged PDF is the better one where it is installed (Debian 13 has no wkhtmltopdf). Both run inside
# bubblewrap's sandbox.
# Chromium run by an ordinary user needs a sandbox: user namespaces, or else chromium-sandbox's setuid helper
# (a chroot, or a kernel that forbids unprivileged user namespaces).
# Qt's own texts (file dialogs, standard buttons) in the window's language; without it they stay English. DejaVu Sans
# holds Arabic, Persian and Hebrew; Scheherazade the letters of Urdu and the other languages written in Arabic
# letters, for pages written right to left.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "chromium-sandbox, qt6-translations-l10n, fonts-sil-scheherazade")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "chromium-headless-shell | chromium, fonts-noto-color-emoji")
string(CONCAT CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-svg-plugins | libqt6svg6 (<< 6.5), libqt6svg6 (>= 6.4), wkhtmltopdf | chromium-headless-shell | chromium, fonts-dejavu-core, fonts-liberation2, fonts-wqy-microhei, fonts-symbola, "
    "xdg-utils, bubblewrap")
# Every library the program links is found in the built files, as Debian's own packages find them, so each release
# gets its own names and versions (libqpdf29 on Debian 12, libqpdf30 on 13).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
find_program(ORVANTA_DPKG_SHLIBDEPS dpkg-shlibdeps)
find_program(ORVANTA_FILE file)
if(NOT ORVANTA_DPKG_SHLIBDEPS OR NOT ORVANTA_FILE)
    message(WARNING "The Debian package needs dpkg-shlibdeps and file to find its library dependencies: "
                    "install dpkg-dev and file (scripts/install-deps does) before cpack")
endif()

include(CPack)

if(BUILD_TESTING)
    find_program(ORVANTA_DESKTOP_FILE_VALIDATE desktop-file-validate)
    if(ORVANTA_DESKTOP_FILE_VALIDATE)
        add_test(NAME desktop_file_is_valid
            COMMAND "${ORVANTA_DESKTOP_FILE_VALIDATE}" "${CMAKE_SOURCE_DIR}/packaging/orvanta.desktop")
    endif()
    find_program(ORVANTA_APPSTREAMCLI appstreamcli)
    if(ORVANTA_APPSTREAMCLI)
        add_test(NAME metainfo_is_valid
            COMMAND sh "${CMAKE_SOURCE_DIR}/packaging/test-metainfo.sh" "${CMAKE_COMMAND}" "${CMAKE_BINARY_DIR}"
                    "${ORVANTA_APPSTREAMCLI}")
    endif()
    find_program(ORVANTA_UPDATE_MIME_DATABASE update-mime-database)
    if(ORVANTA_UPDATE_MIME_DATABASE)
        add_test(NAME campaign_files_open_in_orvanta
            COMMAND sh "${CMAKE_SOURCE_DIR}/packaging/test-mime.sh" "${ORVANTA_UPDATE_MIME_DATABASE}"
                    "${CMAKE_SOURCE_DIR}/packaging/orvanta-campaign.xml" "${CMAKE_SOURCE_DIR}/packaging/orvanta.desktop")
    endif()
    add_test(NAME install_is_app_folder
        COMMAND sh "${CMAKE_SOURCE_DIR}/packaging/test-install.sh" "${CMAKE_COMMAND}" "${CMAKE_BINARY_DIR}")
    add_test(NAME package_installs_brand_fonts
        COMMAND sh "${CMAKE_SOURCE_DIR}/packaging/test-fonts.sh" "${CMAKE_BINARY_DIR}/CPackConfig.cmake"
                "${CMAKE_SOURCE_DIR}/core/campaign/Brand.cpp")
    add_test(NAME package_fits_its_release
        COMMAND sh "${CMAKE_SOURCE_DIR}/packaging/test-releases.sh" "${CMAKE_SOURCE_DIR}/scripts/install-deps"
                "${CMAKE_BINARY_DIR}/CPackConfig.cmake" /etc/os-release)
    add_test(NAME launcher_keeps_user_files
        COMMAND sh "${CMAKE_SOURCE_DIR}/packaging/test-launcher.sh"
                "${CMAKE_SOURCE_DIR}/packaging/orvanta-launcher.sh.in")
endif()
