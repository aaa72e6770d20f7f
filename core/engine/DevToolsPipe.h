#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>

/** One message from the browser's DevTools pipe: the reply to a command, or an event. */
struct DevToolsMessage {
    enum class Kind { Reply, Event, Unreadable };

    Kind kind = Kind::Unreadable;
    /** The command a reply answers. */
    int id = 0;
    /** An event's name, like "Page.loadEventFired". */
    QString method;
    /** The page session an event or reply belongs to; empty for the browser's own. */
    QString sessionId;
    /** A reply's result or an event's parameters. */
    QJsonObject data;
    /** A reply that reports a failure: the browser's own message. */
    QString error;
};

/** Splits the pipe's bytes into its NUL-ended messages; a message read in part waits for its end. */
class DevToolsFramer {
public:
    /** The messages @p bytes complete, in order. */
    QList<QByteArray> feed(const QByteArray& bytes);
    /** Bytes of a message not yet ended. */
    qsizetype pending() const { return m_buffer.size(); }

private:
    QByteArray m_buffer;
    /** Where the search for the next NUL goes on: a long PDF arrives in many reads. */
    qsizetype m_scanned = 0;
};

namespace orvanta::engine {
/** Reads one message; anything that is not a JSON object with an id or a method is Unreadable. */
DevToolsMessage parseDevToolsMessage(const QByteArray& text);

/** The bytes of one command, NUL included; @p sessionId empty sends it to the browser itself. */
QByteArray devToolsCommand(int id, const QString& method, const QJsonObject& params = {},
                           const QString& sessionId = {});
} // namespace orvanta::engine
