#include "DevToolsPipe.h"

#include <QJsonDocument>
#include <QJsonParseError>

using namespace orvanta::engine;

QList<QByteArray> DevToolsFramer::feed(const QByteArray& bytes)
{
    m_buffer += bytes;
    QList<QByteArray> messages;
    qsizetype start = 0;
    qsizetype end = m_buffer.indexOf('\0', m_scanned);
    while (end >= 0) {
        messages << m_buffer.mid(start, end - start);
        start = end + 1;
        end = m_buffer.indexOf('\0', start);
    }
    m_buffer.remove(0, start);
    m_scanned = m_buffer.size();
    return messages;
}

namespace orvanta::engine {
DevToolsMessage parseDevToolsMessage(const QByteArray& text)
{
    DevToolsMessage message;
    QJsonParseError problem{};
    const QJsonDocument document = QJsonDocument::fromJson(text, &problem);
    if (problem.error != QJsonParseError::NoError || !document.isObject())
        return message;
    const QJsonObject object = document.object();
    message.sessionId = object.value(QLatin1String("sessionId")).toString();
    if (object.value(QLatin1String("id")).isDouble()) {
        message.kind = DevToolsMessage::Kind::Reply;
        message.id = object.value(QLatin1String("id")).toInt();
        message.data = object.value(QLatin1String("result")).toObject();
        const QJsonValue error = object.value(QLatin1String("error"));
        // A failure with no words is still a failure.
        if (error.isObject())
            message.error = error.toObject().value(QLatin1String("message")).toString();
        else if (error.isString())
            message.error = error.toString();
        if (message.error.isEmpty() && !error.isUndefined())
            message.error = QStringLiteral("error");
    } else if (object.value(QLatin1String("method")).isString()) {
        message.kind = DevToolsMessage::Kind::Event;
        message.method = object.value(QLatin1String("method")).toString();
        message.data = object.value(QLatin1String("params")).toObject();
    }
    return message;
}

QByteArray devToolsCommand(int id, const QString& method, const QJsonObject& params, const QString& sessionId)
{
    QJsonObject command{{QStringLiteral("id"), id}, {QStringLiteral("method"), method}};
    if (!params.isEmpty())
        command.insert(QStringLiteral("params"), params);
    if (!sessionId.isEmpty())
        command.insert(QStringLiteral("sessionId"), sessionId);
    return QJsonDocument(command).toJson(QJsonDocument::Compact) + '\0';
}
} // namespace orvanta::engine
