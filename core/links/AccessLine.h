#pragma once

#include <QByteArrayView>
#include <QtGlobal>

#include <optional>

/** One request of a combined-format access log (Apache's and nginx's default), its fields still in the line. */
struct AccessLine {
    QByteArrayView address;
    QByteArrayView method;
    QByteArrayView path; ///< as requested, query and all
    QByteArrayView agent;
    int status = 0;
    qint64 utcSeconds = 0; ///< since 1970, the line's own zone taken off
};

namespace orvanta::links {
namespace AccessLines {
/** @p line read as a combined-format request; none when it is another format. */
std::optional<AccessLine> parse(QByteArrayView line);
/** Whether @p bytes are well-formed UTF-8. */
bool isUtf8(QByteArrayView bytes);
} // namespace AccessLines
} // namespace orvanta::links
