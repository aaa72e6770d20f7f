#pragma once

#include "CreateJob.h"
#include "SheetReader.h"

#include <QStringList>

namespace orvanta::run {
/**
 * Whether each row of @p sheet would be made by Create All, decided before anything runs: per row, in the sheet's
 * order, the words its job would end with, or an empty text for a row that is ready. The sheet's table shows these,
 * so it promises what Create All then does.
 */
QStringList rowProblems(const Sheet& sheet, const JobSettings& settings);
} // namespace orvanta::run
