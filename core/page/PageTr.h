#pragma once

#include <QCoreApplication>

/** The texts of core/page/, in the one context lupdate reads for them. */
struct PageTr {
    Q_DECLARE_TR_FUNCTIONS(Page)
};
