#include "CommandLineCase.h"

#include "AppFolder.h"
#include "Campaign.h"

#include <QDir>
#include <QTest>

using namespace orvanta::files;
using namespace orvanta::campaign;

void CommandLineCase::init()
{
    m_app = std::make_unique<TestAppFolder>();
    m_outside = std::make_unique<QTemporaryDir>();
    m_program = copyProgramInto(*m_app);
    QVERIFY(m_app->isValid() && QFile::exists(m_program));
    QVERIFY(QFile::copy(m_app->file("campaigns/keto-cookbook-cover.png"), outside("cover.png")));
    m_app->useStandInConverter(recordingConverter(outside("pages"), "printf '%%PDF-1.4\\n%%%%EOF\\n' > \"$pdf\""));
    // Chromium is asked for only to see the converter stand in.
    qputenv("ORVANTA_CHROMIUM", QFile::encodeName(outside("no-chromium")));
    // The stand-ins note pages and process ids outside, where the sandbox would not let them write.
    qputenv("ORVANTA_BWRAP", QFile::encodeName(writeOpenSandbox(outside("bwrap"))));
}

void CommandLineCase::cleanup()
{
    qunsetenv("ORVANTA_CHROMIUM");
    qunsetenv("ORVANTA_BWRAP");
}

QString CommandLineCase::campaign(const QString& name, const QString& pdfName, const QString& catalogueEntry,
                                  bool saveWebPage)
{
    Campaign campaign;
    campaign.mainTitle = name;
    campaign.affiliateImagePath = outside("cover.png");
    campaign.ctaUrl = QStringLiteral("https://example.com/buy");
    campaign.catalogueEntry = catalogueEntry;
    campaign.pdfFileName = pdfName;
    campaign.saveWebPage = saveWebPage;
    (void)CampaignFile::write(outside(name), campaign);
    return outside(name);
}

void CommandLineCase::useConverterNotingPids(const QByteArray& then) const
{
    const QByteArray pids = "'" + outside("pids").toUtf8() + "'";
    m_app->useStandInConverter(recordingConverter(outside("pages"), QByteArray(then).replace("@PIDS", pids)));
}

QStringList CommandLineCase::leftovers() const
{
    QStringList found = QDir(output()).entryList({"*.pdf"}, QDir::Files);
    return found + QDir(AppFolder::tempFolder(m_app->path())).entryList({".job *"}, QDir::AllEntries | QDir::Hidden);
}

QStringList CommandLineCase::expanded(QStringList lines, const QStringList& files) const
{
    for (QString& line : lines) {
        if (line.startsWith(QLatin1String("pdf:")))
            line = output() + '/' + line.mid(4) + QStringLiteral(".pdf");
        for (int i = 0; i < files.size(); ++i)
            line.replace(QStringLiteral("@%1").arg(i), files[i]);
        line.replace(QStringLiteral("@OUT"), output());
    }
    return lines;
}

QString CommandLineCase::output() const
{
    return AppFolder::outputFolder(m_app->path());
}
