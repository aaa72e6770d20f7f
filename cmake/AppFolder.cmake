# Lays out the self-contained application folder next to the executable:
# our shipped contents, the Debian-packaged scripts the pages load, and a link to the converter.

find_file(ORVANTA_JQUERY jquery.min.js PATHS /usr/share/javascript/jquery NO_DEFAULT_PATH)
find_file(ORVANTA_BOOTSTRAP_JS bootstrap.min.js PATHS /usr/share/javascript/bootstrap/js NO_DEFAULT_PATH)
if(NOT ORVANTA_JQUERY OR NOT ORVANTA_BOOTSTRAP_JS)
    message(FATAL_ERROR "jQuery and Bootstrap's script are needed: apt-get install libjs-jquery libjs-bootstrap")
endif()
find_program(ORVANTA_WKHTMLTOPDF wkhtmltopdf)
if(NOT ORVANTA_WKHTMLTOPDF)
    message(WARNING "wkhtmltopdf not found: the program will look for it on PATH at run time")
endif()

set(_appSrc "${CMAKE_SOURCE_DIR}/appfolder")
set(_binDir "${ORVANTA_APP_DIR}/bin")
set(_commands
    COMMAND ${CMAKE_COMMAND} -E copy_directory "${_appSrc}" "${ORVANTA_APP_DIR}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${_binDir}/output" "${_binDir}/assets/js" "${_binDir}/assets/bootstrap/js"
    COMMAND ${CMAKE_COMMAND} -E copy_if_different "${ORVANTA_JQUERY}" "${_binDir}/assets/js/jquery.min.js"
    COMMAND ${CMAKE_COMMAND} -E copy_if_different "${ORVANTA_BOOTSTRAP_JS}" "${_binDir}/assets/bootstrap/js/bootstrap.min.js")
if(ORVANTA_WKHTMLTOPDF AND NOT WIN32)
    list(APPEND _commands COMMAND ${CMAKE_COMMAND} -E create_symlink "${ORVANTA_WKHTMLTOPDF}" "${_binDir}/wkhtmltopdf")
endif()

add_custom_target(appfolder ALL ${_commands}
    COMMENT "Laying out the application folder in ${ORVANTA_APP_DIR}"
    VERBATIM)

# Install the same folder, relocatable: everything is relative to the executable.
install(DIRECTORY "${_appSrc}/" DESTINATION . COMPONENT app
    PATTERN ".keep" EXCLUDE PATTERN ".git*" EXCLUDE)
install(DIRECTORY DESTINATION bin/output COMPONENT app)
install(FILES "${ORVANTA_JQUERY}" DESTINATION bin/assets/js COMPONENT app)
install(FILES "${ORVANTA_BOOTSTRAP_JS}" DESTINATION bin/assets/bootstrap/js COMPONENT app)
# The link is what users see and may replace with a converter of their own; the program falls back
# to wkhtmltopdf on PATH when it dangles, so a folder moved to another machine still converts.
if(ORVANTA_WKHTMLTOPDF AND NOT WIN32)
    install(CODE "file(CREATE_LINK \"${ORVANTA_WKHTMLTOPDF}\"
                  \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/wkhtmltopdf\" SYMBOLIC)"
        COMPONENT app)
endif()
