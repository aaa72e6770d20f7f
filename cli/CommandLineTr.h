#pragma once

#include <QCoreApplication>

/** The texts of cli/, in the one context lupdate reads for them. */
struct CommandLineTr {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};
