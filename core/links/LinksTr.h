#pragma once

#include <QCoreApplication>

/** The texts of core/links/, in the one context lupdate reads for them. */
struct LinksTr {
    Q_DECLARE_TR_FUNCTIONS(Links)
};
