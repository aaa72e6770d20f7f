#pragma once

#include <QCoreApplication>

/** The texts of core/run/, in the one context lupdate reads for them. */
struct RunTr {
    Q_DECLARE_TR_FUNCTIONS(Run)
};
