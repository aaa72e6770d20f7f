#include "ClickChart.h"

#include <QPainter>

#include <algorithm>
#include <numeric>

ClickChart::ClickChart(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("picClickChart"));
    setAccessibleName(tr("Clicks per day"));
    setMinimumHeight(80);
}

void ClickChart::setDays(const ClickDays& days, const QDate& lastDay)
{
    m_clicks.clear();
    m_lastDay = lastDay;
    if (lastDay.isValid())
        for (QDate day = lastDay.addDays(1 - DayCount); day <= lastDay; day = day.addDays(1))
            m_clicks << days.value(day);
    const qint64 sum = std::accumulate(m_clicks.cbegin(), m_clicks.cend(), qint64(0));
    const qint64 most = m_clicks.isEmpty() ? 0 : *std::max_element(m_clicks.cbegin(), m_clicks.cend());
    setAccessibleDescription(m_clicks.isEmpty() ? tr("No short link selected.")
                                                : tr("%1 clicks from %2 to %3, at most %4 on one day.")
                                                      .arg(sum)
                                                      .arg(lastDay.addDays(1 - DayCount).toString(Qt::ISODate),
                                                           lastDay.toString(Qt::ISODate))
                                                      .arg(most));
    setToolTip(accessibleDescription());
    update();
}

QSize ClickChart::sizeHint() const
{
    return {DayCount * 12, 100};
}

// Bars scaled to the busiest day, its count at the top; the first and last day below, in UTC as counted.
void ClickChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    if (m_clicks.isEmpty())
        return;
    const int text = fontMetrics().height();
    const QRect bars = rect().adjusted(4, text + 2, -4, -text - 2);
    const qint64 most = *std::max_element(m_clicks.cbegin(), m_clicks.cend());
    const double scale = double(std::max<qint64>(1, most));
    const double width = double(bars.width()) / m_clicks.size();
    for (int i = 0; i < m_clicks.size(); ++i) {
        const int height = int(double(bars.height()) * double(m_clicks.at(i)) / scale);
        const QRectF bar(bars.left() + i * width + 1, bars.bottom() - height, std::max(1.0, width - 2), height);
        painter.fillRect(bar, palette().highlight());
    }
    painter.setPen(palette().color(QPalette::Text));
    painter.drawLine(bars.bottomLeft(), bars.bottomRight());
    painter.drawText(rect().adjusted(4, 0, -4, 0), Qt::AlignTop | Qt::AlignLeft, QString::number(most));
    const QString first = m_lastDay.addDays(1 - DayCount).toString(Qt::ISODate);
    painter.drawText(rect().adjusted(4, 0, -4, 0), Qt::AlignBottom | Qt::AlignLeft, first);
    painter.drawText(rect().adjusted(4, 0, -4, 0), Qt::AlignBottom | Qt::AlignRight, m_lastDay.toString(Qt::ISODate));
}
