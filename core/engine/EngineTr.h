#pragma once

#include <QCoreApplication>

/** The texts of core/engine/, in the one context lupdate reads for them. */
struct EngineTr {
    Q_DECLARE_TR_FUNCTIONS(Engine)
};
