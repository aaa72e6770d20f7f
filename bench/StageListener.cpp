#include "StageListener.h"

#include <QLoggingCategory>
#include <QMutex>
#include <QStringList>

#include <utility>

namespace {
QMutex lock;
QMap<QString, double> heard;
QtMessageHandler others = nullptr;

void listen(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    const QStringList words = text.split(QLatin1Char(' '));
    if (qstrcmp(context.category, "orvanta.stages") != 0 || words.size() != 3)
        return others(type, context, text);
    const QMutexLocker locked(&lock);
    heard[words.at(1)] += words.at(2).toDouble();
}
} // namespace

StageListener::StageListener()
{
    others = qInstallMessageHandler(listen);
    QLoggingCategory::setFilterRules(QStringLiteral("orvanta.stages.debug=true"));
}

StageListener::~StageListener()
{
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(others);
}

QMap<QString, double> StageListener::take()
{
    const QMutexLocker locked(&lock);
    return std::exchange(heard, {});
}
