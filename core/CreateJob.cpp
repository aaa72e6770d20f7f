#include "CreateJob.h"

#include "AppFolder.h"
#include "Catalogue.h"
#include "CreateChecks.h"
#include "HelperOps.h"
#include "StagingFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QThread>

#include <filesystem>
#include <system_error>

namespace {
std::filesystem::path fsPath(const QString& path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

// The output folder may lie on another file system than temp; then the copy lands beside the target first.
bool copyReplacing(const QString& source, const QString& target, QString* error)
{
    QFile in(source);
    QSaveFile out(target);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)) {
        *error = in.isOpen() ? out.errorString() : in.errorString();
        return false;
    }
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        if (chunk.isEmpty() || out.write(chunk) != chunk.size()) {
            *error = in.error() != QFile::NoError ? in.errorString() : out.errorString();
            out.cancelWriting();
            return false;
        }
    }
    if (!out.commit()) {
        *error = out.errorString();
        return false;
    }
    in.close();
    QFile::remove(source);
    return true;
}
} // namespace

// The text box keeps every line break as a block and hands them back as LF, which the window turns into CR LF;
// it also gives line and paragraph separators back as LF. No-break spaces stay, as the window keeps them.
QString MultiLineBoxText(const QString& text)
{
    QString result;
    result.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            continue;
        if (c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029 || c == 0xFDD0 || c == 0xFDD1)
            result += QLatin1String("\r\n");
        else
            result += text.at(i);
    }
    return result;
}

// A one-line box holds at most 32767 characters and cuts what is longer.
QString LineBoxText(const QString& text)
{
    return text.left(32767);
}

PageFields CreateFieldsOf(const Campaign& campaign, const JobSettings& settings, bool* catalogueEntryChosen)
{
    PageFields fields = pageFieldsOf(campaign);
    for (QString* line : {&fields.mainTitle, &fields.bonusHeadline, &fields.rawProductId, &fields.ctaTitle,
                          &fields.ctaText, &fields.ctaUrl, &fields.pdfFileName})
        *line = LineBoxText(*line);
    fields.review = MultiLineBoxText(fields.review);
    fields.bonusInstructions = MultiLineBoxText(fields.bonusInstructions);
    // The window reads the identifier from the product file when the entry is selected, not from the campaign.
    *catalogueEntryChosen =
        !campaign.catalogueEntry.isEmpty() && settings.catalogueEntries.contains(campaign.catalogueEntry);
    if (*catalogueEntryChosen)
        fields.rawProductId = LineBoxText(Catalogue::readProductId(settings.app, campaign.catalogueEntry));
    return fields;
}

bool MoveReplacing(const QString& source, const QString& target, QString* error)
{
    std::error_code failure;
    std::filesystem::rename(fsPath(source), fsPath(target), failure);
    return !failure || copyReplacing(source, target, error);
}

CreateJob::CreateJob(const QString& campaignPath, const JobSettings& settings, QObject* parent)
    : QObject(parent)
    , m_campaignPath(campaignPath)
    , m_settings(settings)
{
}

// Quietly: whoever listens may be going too.
CreateJob::~CreateJob()
{
    blockSignals(true);
    stop();
}

bool CreateJob::check()
{
    const CampaignFile::ReadResult read = CampaignFile::read(m_campaignPath);
    if (!read.campaign) {
        fail(read.error);
        return false;
    }
    m_campaign = *read.campaign;
    bool entryChosen = false;
    m_fields = CreateFieldsOf(m_campaign, m_settings, &entryChosen);
    const QString problem = MissingInfo(m_fields, entryChosen);
    if (!problem.isEmpty()) {
        fail(problem);
        return false;
    }
    if (m_fields.bonusInstructions.isEmpty() && m_settings.addBuiltInInstructions)
        m_fields.bonusInstructions =
            MultiLineBoxText(vFile::LoadTextFile(AppFolder::builtInInstructionsPath(m_settings.app)));
    return true;
}

QString CreateJob::pdfPath() const
{
    return m_settings.outputFolder + QDir::separator() + PageNameOf(m_fields.pdfFileName) + QStringLiteral(".pdf");
}

void CreateJob::start()
{
    if (m_done || !buildPage())
        return;
    const WriteResult written = WritePage(m_page);
    if (!written.ok) {
        end({false, {}, written.error});
        return;
    }
    m_run = std::make_unique<ConverterRun>();
    connect(m_run.get(), &ConverterRun::finished, this, &CreateJob::onConverterFinished);
    m_run->start(ConverterCommand(m_settings.app, m_page.htmlPath, m_page.pdfPath), m_page.pdfPath,
                 m_settings.timeLimitMs);
}

void CreateJob::stop()
{
    // The finishing works on the PDF inside the private folder: it must end before the folder goes.
    if (m_finishing) {
        disconnect(m_finishing.get(), nullptr, this, nullptr);
        m_finishing->wait();
        m_finishing.reset();
    }
    if (m_run) {
        // Stopping waits for the process; its report must not reach a job that is ending.
        disconnect(m_run.get(), nullptr, this, nullptr);
        m_run.reset();
    }
    if (!m_done)
        end({false, {}, tr("Stopped before the PDF was made.")});
}

void CreateJob::fail(const QString& error)
{
    end({false, {}, error});
}

bool CreateJob::buildPage()
{
    m_staging = std::make_unique<StagingFolder>(m_settings.app, QStringLiteral("job"));
    if (!m_staging->isValid()) {
        end({false, {}, m_staging->error()});
        return false;
    }
    const BuildResult built = BuildPage(m_settings.app, m_fields, m_staging->target());
    switch (built.status) {
    case BuildResult::Status::Built:
        m_page = built.page;
        return true;
    case BuildResult::Status::BonusImageMissing:
        end({false,
             {},
             QCoreApplication::translate("CreateCommand", "Target file not found.") + QLatin1Char('\n') + built.error});
        return false;
    case BuildResult::Status::FileError:
        break;
    }
    end({false, {}, built.error});
    return false;
}

void CreateJob::onConverterFinished(const RenderResult& result)
{
    // Called from the run itself: it may only go once this call has returned.
    m_run.release()->deleteLater();
    if (!result.ok) {
        // The private folder is gone when the user reads this; the PDF's place is what they look for.
        end({false, {}, QString(result.error).replace(m_page.pdfPath, pdfPath())});
        return;
    }
    // As the window does, off the thread that serves the other jobs' converters.
    m_finishing.reset(QThread::create([this, app = m_settings.app, page = m_page, output = m_settings.outputFolder,
                                       options = CreateOptions{m_campaign.fitToContent, m_campaign.saveWebPage}] {
        m_finished = FinishPdf(app, page, options, output);
    }));
    connect(m_finishing.get(), &QThread::finished, this, &CreateJob::deliverPdf);
    m_finishing->start();
    Q_EMIT converterEnded();
}

// A web page that could not be saved fails the job, but the PDF is made, as the window keeps it too.
void CreateJob::deliverPdf()
{
    m_finishing->wait(); // finished() comes from the thread's last moments
    m_finishing.reset();
    if (!QDir().mkpath(m_settings.outputFolder)) {
        end({false,
             {},
             QCoreApplication::translate("ConverterRun", "The output folder could not be created: %1")
                 .arg(m_settings.outputFolder)});
        return;
    }
    QString error;
    if (!MoveReplacing(m_page.pdfPath, pdfPath(), &error)) {
        end({false, {}, tr("The PDF could not be saved as %1: %2").arg(pdfPath(), error)});
        return;
    }
    end({m_finished.ok, pdfPath(), m_finished.error});
}

void CreateJob::end(const JobOutcome& outcome)
{
    if (m_done)
        return;
    m_done = true;
    m_outcome = outcome;
    m_staging.reset();
    Q_EMIT finished();
}
