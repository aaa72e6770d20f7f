#include "SheetDialog.h"

#include "AppFolder.h"
#include "Catalogue.h"
#include "Controls.h"
#include "FileToolkit.h"
#include "Platform.h"
#include "SheetReadiness.h"
#include "SheetRowFiles.h"
#include "SheetRun.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace orvanta::files;
using namespace orvanta::campaign;
using namespace orvanta::run;

SheetDialog::SheetDialog(Platform& platform, const QString& appFolder, const Campaign& openCampaign,
                         const QString& openCampaignPath, QWidget* parent)
    : QDialog(parent)
    , m_platform(platform)
    , m_base(openCampaign)
    , m_lblSheet(Controls::label(this, QStringLiteral("lblSheetFile"), tr("No sheet chosen yet.")))
    , m_lblBase(Controls::label(this, QStringLiteral("lblBaseCampaign"), QString()))
    , m_lblNotes(Controls::label(this, QStringLiteral("lblSheetNotes"), QString()))
    , m_tblRows(new QTableWidget(0, ColumnCount, this))
    , m_progress(new QProgressBar(this))
    , m_cmdSheet(Controls::button(this, QStringLiteral("cmdPickSheet"), tr("Choose &Sheet...")))
    , m_cmdBase(Controls::button(this, QStringLiteral("cmdPickBase"), tr("Choose &Base Campaign...")))
    , m_cmdCheckLinks(Controls::button(this, QStringLiteral("cmdCheckLinks"), tr("Check &Links")))
    , m_chkLiveLinks(new QCheckBox(tr("Also check the li&ve short links"), this))
    , m_cmdCreateAll(Controls::button(this, QStringLiteral("cmdCreateAll"), tr("&Create All")))
    , m_cmdStop(Controls::button(this, QStringLiteral("cmdStop"), tr("S&top")))
    , m_cmdSaveRows(Controls::button(this, QStringLiteral("cmdSaveRows"), tr("Save Rows as C&ampaigns...")))
    , m_cmdClose(Controls::button(this, QStringLiteral("cmdClose"), tr("Close")))
    , m_run(
          std::make_unique<SheetRun>(platform, m_settings, SheetRun::View{*this, *m_tblRows, *m_progress, *m_lblNotes}))
{
    setObjectName(QStringLiteral("frmSheet"));
    setWindowTitle(tr("Make PDFs from a Spreadsheet"));
    m_settings.app = appFolder;
    m_settings.outputFolder = AppFolder::outputFolder(appFolder);
    // Every PDF the window makes is read back and checked, as Create's is.
    m_settings.preflight = true;
    const QStringList entries = Catalogue::entries(appFolder);
    m_settings.catalogueEntries = QSet<QString>(entries.cbegin(), entries.cend());
    m_lblBase->setTextFormat(Qt::PlainText);
    m_lblSheet->setTextFormat(Qt::PlainText);
    m_lblNotes->setTextFormat(Qt::PlainText);
    m_lblNotes->setWordWrap(true);
    m_lblBase->setText(openCampaignPath.isEmpty()
                           ? tr("Base campaign: the one open in the window")
                           : tr("Base campaign: %1 (open in the window)").arg(QFileInfo(openCampaignPath).fileName()));
    buildLayout();
    connect(m_cmdSheet, &QPushButton::clicked, this, &SheetDialog::pickSheet);
    connect(m_cmdBase, &QPushButton::clicked, this, &SheetDialog::pickBase);
    connect(m_cmdCheckLinks, &QPushButton::clicked, this, &SheetDialog::checkLinks);
    connect(m_cmdCreateAll, &QPushButton::clicked, this, &SheetDialog::createAll);
    connect(m_cmdStop, &QPushButton::clicked, this, &SheetDialog::stop);
    connect(m_cmdSaveRows, &QPushButton::clicked, this, &SheetDialog::saveRowsAsCampaigns);
    connect(m_cmdClose, &QPushButton::clicked, this, &SheetDialog::reject);
    connect(m_run.get(), &SheetRun::busyChanged, this, &SheetDialog::showBusy);
    connect(m_run.get(), &SheetRun::linksChecked, this, &SheetDialog::linksChecked);
    connect(m_run.get(), &SheetRun::createFinished, this, &SheetDialog::createFinished);
    showBusy();
}

SheetDialog::~SheetDialog() = default;

void SheetDialog::buildLayout()
{
    m_tblRows->setObjectName(QStringLiteral("tblSheetRows"));
    m_tblRows->setHorizontalHeaderLabels({tr("Row"), tr("PDF"), tr("Title"), tr("Links"), tr("Result")});
    m_tblRows->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tblRows->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tblRows->verticalHeader()->hide();
    m_tblRows->horizontalHeader()->setStretchLastSection(true);
    m_tblRows->horizontalHeader()->setSectionResizeMode(RowColumn, QHeaderView::ResizeToContents);
    m_tblRows->horizontalHeader()->resizeSection(LinksColumn, 220);
    m_tblRows->setWordWrap(false);
    m_progress->setObjectName(QStringLiteral("prgSheet"));
    m_chkLiveLinks->setObjectName(QStringLiteral("chkLiveLinks"));

    auto* files = new QGridLayout;
    files->addWidget(m_lblSheet, 0, 0);
    files->addWidget(m_cmdSheet, 0, 1);
    files->addWidget(m_lblBase, 1, 0);
    files->addWidget(m_cmdBase, 1, 1);
    files->setColumnStretch(0, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdCheckLinks);
    buttons->addWidget(m_chkLiveLinks);
    buttons->addWidget(m_cmdSaveRows);
    buttons->addStretch();
    buttons->addWidget(m_cmdCreateAll);
    buttons->addWidget(m_cmdStop);
    buttons->addWidget(m_cmdClose);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(files);
    layout->addWidget(m_lblNotes);
    layout->addWidget(m_tblRows, 1);
    layout->addWidget(m_progress);
    layout->addLayout(buttons);
    resize(900, 520);
}

bool SheetDialog::isBusy() const
{
    return m_run->isBusy();
}

QString SheetDialog::sheetFileName() const
{
    return QFileInfo(m_sheetPath).fileName();
}

void SheetDialog::pickSheet()
{
    const QString path =
        m_platform.pickFile(this, tr("Choose a Sheet of Offers"), QFileInfo(m_sheetPath).absolutePath(),
                            {tr("Spreadsheets saved as CSV (*.csv)"), tr("All files (*)")});
    if (!path.isEmpty())
        loadSheet(path);
}

void SheetDialog::pickBase()
{
    const QString path = m_platform.pickFile(this, tr("Choose the Base Campaign"), QString(),
                                             {tr("Orvanta campaigns (*.%1)").arg(CampaignFile::extension())});
    if (!path.isEmpty())
        loadBase(path);
}

bool SheetDialog::loadBase(const QString& path)
{
    const Result<CampaignFile::OpenedCampaign> read = CampaignFile::read(path, m_settings.app);
    if (!read.ok()) {
        m_platform.showMessage(this, read.error(), tr("Error"), MessageIcon::Exclamation);
        return false;
    }
    m_base = read->campaign;
    m_lblBase->setText(tr("Base campaign: %1").arg(QFileInfo(path).fileName()));
    if (!m_sheetPath.isEmpty())
        loadSheet(m_sheetPath);
    return true;
}

void SheetDialog::loadSheet(const QString& path)
{
    if (isBusy())
        return;
    m_sheetPath = path;
    m_sheet = SheetReader::read(path, m_base);
    m_lblSheet->setText(tr("Sheet: %1").arg(QDir::toNativeSeparators(path)));
    if (!m_sheet.error.isEmpty())
        m_platform.showMessage(this, m_sheet.error, tr("Error"), MessageIcon::Exclamation);
    listRows();
}

void SheetDialog::listRows()
{
    m_tblRows->setRowCount(int(m_sheet.rows.size()));
    m_run->setSheet(m_sheet, sheetFileName());
    const QStringList problems = rowProblems(m_sheet, m_settings);
    int ready = 0;
    for (int i = 0; i < m_sheet.rows.size(); ++i) {
        const SheetRow& row = m_sheet.rows.at(i);
        setCell(i, RowColumn, QString::number(row.number));
        setCell(i, PdfColumn, row.campaign.pdfFileName);
        setCell(i, TitleColumn, row.campaign.mainTitle);
        setCell(i, LinksColumn, m_run->rowLinks().at(i).join(QStringLiteral("  ")));
        const QString& problem = problems.at(i);
        setCell(i, ResultColumn, problem.isEmpty() ? tr("Ready") : problem);
        ready += problem.isEmpty() ? 1 : 0;
    }
    QString notes =
        m_sheet.rows.isEmpty() ? QString() : tr("%1 of %2 rows are ready to make.").arg(ready).arg(m_sheet.rows.size());
    if (!m_sheet.unknownColumns.isEmpty())
        notes += QLatin1Char(' ') + tr("The columns %1 are no campaign fields; their cells are left out.")
                                        .arg(m_sheet.unknownColumns.join(QStringLiteral(", ")));
    m_lblNotes->setText(notes);
    m_progress->setRange(0, std::max(1, int(m_sheet.rows.size())));
    m_progress->setValue(0);
    showBusy();
}

void SheetDialog::setCell(int row, Column column, const QString& text)
{
    m_tblRows->setItem(row, column, Controls::tableCell(text));
}

void SheetDialog::checkLinks()
{
    m_run->start(m_chkLiveLinks->isChecked(), false);
}

void SheetDialog::createAll()
{
    if (!m_sheet.rows.isEmpty())
        m_run->start(m_chkLiveLinks->isChecked(), true);
}

void SheetDialog::stop()
{
    m_run->stop();
}

void SheetDialog::showBusy()
{
    const bool busy = isBusy();
    const bool rows = !m_sheet.rows.isEmpty();
    m_cmdSheet->setEnabled(!busy);
    m_cmdBase->setEnabled(!busy);
    m_cmdCheckLinks->setEnabled(!busy && rows);
    m_chkLiveLinks->setEnabled(!busy);
    m_cmdCreateAll->setEnabled(!busy && rows);
    m_cmdSaveRows->setEnabled(!busy && rows);
    m_cmdStop->setEnabled(busy);
}

void SheetDialog::reject()
{
    stop();
    QDialog::reject();
}

void SheetDialog::saveRowsAsCampaigns()
{
    const QString folder =
        m_platform.pickFolder(this, tr("Save Rows as Campaigns in"), QFileInfo(m_sheetPath).absolutePath());
    if (folder.isEmpty())
        return;
    const QStringList existing = SheetRowFiles::replaced(m_sheet, m_sheetPath, folder);
    if (!existing.isEmpty() &&
        !m_platform.askYesNo(this,
                             tr("%1 already holds %n of these campaign(s):\n\n%2\n\nDo you want to replace them?",
                                nullptr, int(existing.size()))
                                 .arg(quotedPath(folder), existing.join(QLatin1Char('\n'))),
                             tr("Save Rows as Campaigns"), MessageIcon::Question))
        return;
    QStringList failures;
    int saved = 0;
    for (const SavedRow& row : SheetRowFiles::save(m_sheet, m_sheetPath, folder)) {
        if (row.written)
            ++saved;
        else
            failures << tr("Row %1: %2").arg(row.number).arg(row.written.error());
    }
    QString text =
        tr("%1 of %2 rows were saved as campaigns in %3.").arg(saved).arg(m_sheet.rows.size()).arg(quotedPath(folder));
    if (!failures.isEmpty())
        text += QStringLiteral("\n\n") + failures.join(QLatin1Char('\n'));
    m_platform.showMessage(this, text, failures.isEmpty() ? tr("Done") : tr("Error"),
                           failures.isEmpty() ? MessageIcon::Information : MessageIcon::Exclamation);
}
