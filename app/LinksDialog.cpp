#include "LinksDialog.h"

#include "AppFolder.h"
#include "Background.h"
#include "ClickChart.h"
#include "ClickImport.h"
#include "ClickPaths.h"
#include "Platform.h"
#include "ShortLinkStore.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <numeric>

using namespace orvanta::files;
using namespace orvanta::links;

namespace {
// The counts' names of the channels, in the order of the columns from ButtonColumn on.
QStringList channelNames()
{
    QStringList names;
    for (const auto& [suffix, name] : ClickPaths::suffixes())
        names << name;
    return names << ClickPaths::plainChannel();
}

// Counted per UTC day, so the days end as the counts' do.
QDate today()
{
    return QDateTime::currentDateTimeUtc().date();
}

QTableWidgetItem* countItem(qint64 clicks)
{
    auto* item = new QTableWidgetItem(QString::number(clicks));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}
} // namespace

// The command line's import, with its report; it runs off the window's thread and takes the table's lock itself.
LinksDialog::LogImport LinksDialog::defaultImport()
{
    return [](const QString& app, const QStringList& logs) -> Result<QString> {
        const Result<ClickImportSummary> summary = ClickImport::run(app, logs);
        if (!summary)
            return summary.failure();
        return (summary->report() + summary->problems()).join(QLatin1Char('\n'));
    };
}

LinksDialog::LinksDialog(Platform& platform, const QString& appFolder, QWidget* parent, LogImport import)
    : QDialog(parent)
    , m_platform(platform)
    , m_appFolder(appFolder)
    , m_table(new QTableWidget(0, ColumnCount, this))
    , m_txtTarget(new QLineEdit(this))
    , m_cmdRepoint(new QPushButton(tr("&Re-point"), this))
    , m_cmdImportLog(new QPushButton(tr("&Import Log..."), this))
    , m_chart(new ClickChart(this))
    , m_import(import ? std::move(import) : defaultImport())
{
    setObjectName(QStringLiteral("frmLinks"));
    setWindowTitle(tr("Short Links"));
    resize(1100, 520);
    m_table->setObjectName(QStringLiteral("tblLinks"));
    m_table->setHorizontalHeaderLabels({tr("Short link"), tr("Target"), tr("Campaign"), tr("PDF"), tr("Last check"),
                                        tr("Clicks"), tr("Last 30 days"), tr("Button"), tr("QR code"), tr("Web page"),
                                        tr("Link")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSectionResizeMode(TargetColumn, QHeaderView::Stretch);
    m_txtTarget->setObjectName(QStringLiteral("txtRepointTarget"));
    m_txtTarget->setPlaceholderText(tr("https://"));
    m_cmdRepoint->setObjectName(QStringLiteral("cmdRepoint"));
    m_cmdImportLog->setObjectName(QStringLiteral("cmdImportLog"));
    // The style leaves a text this long one margin in all; it gets one on each side.
    m_cmdImportLog->setMinimumWidth(m_cmdImportLog->sizeHint().width() + style()->pixelMetric(QStyle::PM_ButtonMargin));
    m_cmdImportLog->setToolTip(tr("Count the clicks on the short links from your site's access logs"));
    auto* caption = new QLabel(tr("New &target:"), this);
    caption->setBuddy(m_txtTarget);
    auto* row = new QHBoxLayout;
    row->addWidget(caption);
    row->addWidget(m_txtTarget, 1);
    row->addWidget(m_cmdRepoint);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* chartCaption = new QLabel(tr("Clicks per day of the selected link, last 30 days (UTC):"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    layout->addWidget(chartCaption);
    layout->addWidget(m_chart);
    layout->addLayout(row);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_cmdImportLog);
    bottom->addWidget(buttons, 1);
    layout->addLayout(bottom);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_cmdRepoint, &QPushButton::clicked, this, &LinksDialog::repoint);
    connect(m_cmdImportLog, &QPushButton::clicked, this, &LinksDialog::importLogs);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, [this] {
        const int row = m_table->currentRow();
        if (row >= 0)
            m_txtTarget->setText(m_table->item(row, TargetColumn)->text());
        showChart();
    });
    listLinks();
}

void LinksDialog::listLinks()
{
    const Result<LinksTable> read = ShortLinkStore::read(m_appFolder);
    const LinksTable table = read.valueOr({});
    // Counts that cannot be read show as none, said once; the file stays for a newer Orvanta or a look.
    const Result<ClickCounts> clicks = ClickCounts::read(AppFolder::clicksPath(m_appFolder));
    m_clicks = clicks.valueOr({});
    m_table->setRowCount(0);
    for (const LinkEntry& entry : table.entries()) {
        const int row = m_table->rowCount();
        m_table->insertRow(row);
        const QString texts[ClicksColumn] = {entry.link, entry.target, entry.campaign, entry.pdf, entry.lastCheck};
        for (int column = 0; column < ClicksColumn; ++column) {
            m_table->setItem(row, column, new QTableWidgetItem(texts[column]));
            // A mismatch names both addresses: more than a column shows.
            m_table->item(row, column)->setToolTip(texts[column]);
        }
        m_table->item(row, SlugColumn)->setData(Qt::UserRole, entry.slug);
        showClicks(row, entry.slug);
    }
    m_cmdRepoint->setEnabled(m_table->rowCount() > 0);
    showChart();
    const QStringList problems{read.error(), clicks.error()};
    if (!read || !clicks)
        m_platform.showMessage(this, problems.join(QLatin1Char('\n')).trimmed(), tr("Error"), MessageIcon::Exclamation);
}

void LinksDialog::showClicks(int row, const QString& slug)
{
    m_table->setItem(row, ClicksColumn, countItem(m_clicks.total(slug)));
    m_table->setItem(row, RecentColumn, countItem(m_clicks.total(slug, today().addDays(1 - ClickChart::DayCount))));
    const QStringList channels = channelNames();
    for (int i = 0; i < channels.size(); ++i) {
        const ClickDays days = m_clicks.daysOf(slug, channels.at(i));
        m_table->setItem(row, ButtonColumn + i, countItem(std::accumulate(days.cbegin(), days.cend(), qint64(0))));
    }
}

void LinksDialog::showChart()
{
    const int row = m_table->currentRow();
    if (row < 0) {
        m_chart->setDays({}, QDate());
        return;
    }
    m_chart->setDays(m_clicks.daysOf(m_table->item(row, SlugColumn)->data(Qt::UserRole).toString()), today());
}

// Off the window's thread: a log of a few GB takes a while. The counts shown are read again once it ends.
void LinksDialog::importLogs()
{
    const QStringList logs =
        m_platform.pickFiles(this, tr("Import Access Logs"), QString(),
                             {tr("Access logs (*.log *.log.* *.gz access*)"), tr("All files (*)")});
    if (logs.isEmpty())
        return;
    m_cmdImportLog->setEnabled(false);
    Background::run(
        this, [import = m_import, app = m_appFolder, logs] { return import(app, logs); },
        [this](const Result<QString>& imported) {
            m_cmdImportLog->setEnabled(true);
            const int row = m_table->currentRow();
            listLinks();
            if (row >= 0 && row < m_table->rowCount())
                m_table->selectRow(row);
            if (imported)
                m_platform.showMessage(this, imported.value(), tr("Done"), MessageIcon::Information);
            else
                m_platform.showMessage(this, imported.error(), tr("Error"), MessageIcon::Exclamation);
            emit logsImported();
        });
}

void LinksDialog::repoint()
{
    const int row = m_table->currentRow();
    if (row < 0) {
        m_platform.showMessage(this, tr("Please select the short link to re-point."), tr("Info"),
                               MessageIcon::Information);
        return;
    }
    const QString slug = m_table->item(row, SlugColumn)->data(Qt::UserRole).toString();
    const Result<void> repointed = ShortLinkStore::repoint(m_appFolder, slug, m_txtTarget->text());
    if (!repointed) {
        m_platform.showMessage(this, repointed.error(), tr("Error"), MessageIcon::Exclamation);
        return;
    }
    listLinks();
    m_table->selectRow(row);
}
