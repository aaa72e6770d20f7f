#pragma once

#include <QCoreApplication>

/** The texts of core/files/, in the one context lupdate reads for them. */
struct FilesTr {
    Q_DECLARE_TR_FUNCTIONS(Files)
};
