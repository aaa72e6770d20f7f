#include "FuzzInput.h"

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace FuzzInput {
Flags flagsOf(const uint8_t* data, size_t size)
{
    Flags flags;
    if (size > 0) {
        flags.utf16 = data[0] & 0x01;
        flags.ownBonus = data[0] & 0x02;
    }
    return flags;
}

QByteArray bodyOf(const uint8_t* data, size_t size)
{
    if (size < 2)
        return QByteArray();
    return QByteArray(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1));
}

QString utf16Of(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size() / 2);
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const auto low = static_cast<unsigned char>(bytes[i]);
        const auto high = static_cast<unsigned char>(bytes[i + 1]);
        text += QChar(static_cast<char16_t>(low | (high << 8)));
    }
    return text;
}

QString textOf(const QByteArray& body, Flags flags)
{
    return flags.utf16 ? utf16Of(body) : QString::fromUtf8(body);
}

QStringList fieldsOf(const QByteArray& body, Flags flags, int count)
{
    QStringList fields;
    if (flags.utf16) {
        fields = utf16Of(body).split(QChar(0xFFFF));
    } else {
        for (const QByteArray& part : body.split('\xFF'))
            fields << QString::fromUtf8(part);
    }
    while (fields.size() < count)
        fields << QString();
    return fields.mid(0, count);
}

void silenceQtWarnings()
{
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(message));
    });
}

void fail(const char* property, const QString& detail)
{
    std::fprintf(stderr, "\nPROPERTY BROKEN: %s\n", property);
    if (!detail.isEmpty()) {
        QString escaped;
        for (const QChar c : detail) {
            const bool plain = c.unicode() >= 0x20 && c.unicode() < 0x7F && c != QLatin1Char('\\');
            escaped += plain ? QString(c) : QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        }
        std::fprintf(stderr, "  value: %s\n", escaped.toLatin1().constData());
    }
    std::abort();
}
} // namespace FuzzInput
