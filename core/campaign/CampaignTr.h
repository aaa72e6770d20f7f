#pragma once

#include <QCoreApplication>

/** The texts of core/campaign/, in the one context lupdate reads for them. */
struct CampaignTr {
    Q_DECLARE_TR_FUNCTIONS(Campaign)
};
