#pragma once

#include "Preflight.h"
#include "PreflightTr.h"

#include <QCoreApplication>

/** Collects the findings, one per check, and counts the checks that ran. */
class PreflightChecks final {
public:
    explicit PreflightChecks(PreflightReport& report)
        : m_report(report)
    {
    }

    void ran() { ++m_report.checksRun; }
    void fail(PreflightCheck check, const QString& line)
    {
        m_report.failures.append({check, orvanta::preflight::preflightCheckName(check) + QStringLiteral(": ") + line});
    }

private:
    PreflightReport& m_report;
};

namespace orvanta::preflight {
// A count as a sentence says it: "1 check", "2 checks".
inline QString counted(qsizetype n, const char* one, const char* many)
{
    return n == 1 ? PreflightTr::tr(one) : PreflightTr::tr(many).arg(n);
}
} // namespace orvanta::preflight
