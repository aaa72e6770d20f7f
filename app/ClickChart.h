#pragma once

#include "ClickCounts.h"

#include <QDate>
#include <QList>
#include <QWidget>

/** One short link's clicks per day as bars, the newest day at the right; its accessible text says what it shows. */
class ClickChart final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClickChart)

public:
    static constexpr int DayCount = 30;

    explicit ClickChart(QWidget* parent);

    /** Shows the DayCount days up to @p lastDay of @p days; an invalid @p lastDay shows no link. */
    void setDays(const ClickDays& days, const QDate& lastDay);
    /** The clicks shown, oldest day first; empty for no link. */
    const QList<qint64>& shown() const { return m_clicks; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<qint64> m_clicks;
    QDate m_lastDay;
};
