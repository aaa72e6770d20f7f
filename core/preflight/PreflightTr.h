#pragma once

#include <QCoreApplication>

/** The texts of core/preflight/, in the one context lupdate reads for them. */
struct PreflightTr {
    Q_DECLARE_TR_FUNCTIONS(Preflight)
};
