#include "LinksDialog.h"

#include "Platform.h"
#include "ShortLinkStore.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace orvanta::links;

LinksDialog::LinksDialog(Platform& platform, const QString& appFolder, QWidget* parent)
    : QDialog(parent)
    , m_platform(platform)
    , m_appFolder(appFolder)
    , m_table(new QTableWidget(0, ColumnCount, this))
    , m_txtTarget(new QLineEdit(this))
    , m_cmdRepoint(new QPushButton(tr("&Re-point"), this))
{
    setObjectName(QStringLiteral("frmLinks"));
    setWindowTitle(tr("Short Links"));
    resize(860, 420);
    m_table->setObjectName(QStringLiteral("tblLinks"));
    m_table->setHorizontalHeaderLabels({tr("Short link"), tr("Target"), tr("Campaign"), tr("PDF"), tr("Last check")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSectionResizeMode(TargetColumn, QHeaderView::Stretch);
    m_txtTarget->setObjectName(QStringLiteral("txtRepointTarget"));
    m_txtTarget->setPlaceholderText(tr("https://"));
    m_cmdRepoint->setObjectName(QStringLiteral("cmdRepoint"));
    auto* caption = new QLabel(tr("New &target:"), this);
    caption->setBuddy(m_txtTarget);
    auto* row = new QHBoxLayout;
    row->addWidget(caption);
    row->addWidget(m_txtTarget, 1);
    row->addWidget(m_cmdRepoint);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    layout->addLayout(row);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_cmdRepoint, &QPushButton::clicked, this, &LinksDialog::repoint);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, [this] {
        const int row = m_table->currentRow();
        if (row >= 0)
            m_txtTarget->setText(m_table->item(row, TargetColumn)->text());
    });
    listLinks();
}

void LinksDialog::listLinks()
{
    const Result<LinksTable> read = ShortLinkStore::read(m_appFolder);
    const LinksTable table = read.valueOr({});
    m_table->setRowCount(0);
    for (const LinkEntry& entry : table.entries()) {
        const int row = m_table->rowCount();
        m_table->insertRow(row);
        const QString texts[ColumnCount] = {entry.link, entry.target, entry.campaign, entry.pdf, entry.lastCheck};
        for (int column = 0; column < ColumnCount; ++column) {
            m_table->setItem(row, column, new QTableWidgetItem(texts[column]));
            // A mismatch names both addresses: more than a column shows.
            m_table->item(row, column)->setToolTip(texts[column]);
        }
        m_table->item(row, SlugColumn)->setData(Qt::UserRole, entry.slug);
    }
    m_cmdRepoint->setEnabled(m_table->rowCount() > 0);
    if (!read)
        m_platform.showMessage(this, read.error(), tr("Error"), MessageIcon::Exclamation);
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
