# A cold build parses Qt's headers once per kind of target instead of once per file. Off by default: incremental
# builds gain little (scripts/run-tests turns it on for its one cold build). A header that a file forgets still fails
# the plain build.
option(ORVANTA_PRECOMPILED_HEADERS "Precompile Qt's headers for the product and the tests" OFF)

set(_qtCoreHeaders <QByteArray> <QCoreApplication> <QDateTime> <QDir> <QFile> <QFileInfo> <QHash> <QJsonArray>
    <QJsonDocument> <QJsonObject> <QList> <QLocale> <QObject> <QProcess> <QRegularExpression> <QSet> <QString>
    <QStringList> <QTemporaryDir> <QTimer> <QUrl>)
set(_qtWindowHeaders <QApplication> <QCheckBox> <QComboBox> <QHBoxLayout> <QImage> <QLabel> <QLineEdit> <QPainter>
    <QPlainTextEdit> <QPushButton> <QToolButton> <QVBoxLayout> <QWidget>)

# A compiler takes a precompiled header only where every macro and option it was made with are alike (GCC passes
# over it, clang stops), and where no macro its headers ask about is defined anew: each kind's header is made by a
# target with the fewest definitions its users all share, and QtTest stays out (it includes more of itself for each
# Qt module a test links).
function(_orvanta_pch_source target)
    set(_source "${CMAKE_CURRENT_BINARY_DIR}/${target}.cpp")
    file(WRITE "${_source}" "// Carries its target's precompiled header, nothing else.\n")
    set(${target}_source "${_source}" PARENT_SCOPE)
endfunction()

function(orvanta_define_precompiled_headers)
    if(NOT ORVANTA_PRECOMPILED_HEADERS)
        return()
    endif()
    _orvanta_pch_source(orvanta_pch_core)
    add_library(orvanta_pch_core STATIC "${orvanta_pch_core_source}")
    target_link_libraries(orvanta_pch_core PRIVATE Qt6::Core)
    target_precompile_headers(orvanta_pch_core PRIVATE ${_qtCoreHeaders})

    _orvanta_pch_source(orvanta_pch_window)
    add_library(orvanta_pch_window STATIC "${orvanta_pch_window_source}")
    target_link_libraries(orvanta_pch_window PRIVATE Qt6::Widgets)
    target_precompile_headers(orvanta_pch_window PRIVATE ${_qtCoreHeaders} ${_qtWindowHeaders})
endfunction()

# orvanta_use_precompiled_headers(core|window TARGET...)
function(orvanta_use_precompiled_headers kind)
    if(NOT ORVANTA_PRECOMPILED_HEADERS)
        return()
    endif()
    foreach(_target IN LISTS ARGN)
        get_target_property(_type ${_target} TYPE)
        if(NOT _type MATCHES "STATIC_LIBRARY|EXECUTABLE")
            continue()
        endif()
        target_precompile_headers(${_target} REUSE_FROM orvanta_pch_${kind})
    endforeach()
endfunction()
