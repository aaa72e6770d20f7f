#pragma once

#include <QCoreApplication>

/** The texts of core/finish/, in the one context lupdate reads for them. */
struct FinishTr {
    Q_DECLARE_TR_FUNCTIONS(Finish)
};
