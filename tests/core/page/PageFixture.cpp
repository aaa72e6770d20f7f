#include "PageFixture.h"

#include "Catalogue.h"
#include "TestConfig.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTest>

using namespace orvanta::campaign;

PageFixture::PageFixture()
{
    if (!m_app.isValid() || !m_pictures.isValid())
        return;
    QFile::remove(bin("template.html"));
    m_ready = QFile::copy(QStringLiteral(ORVANTA_TEST_DATA_DIR "/placeholders-template.html"), bin("template.html"));
    m_app.write("products/AB12/salespage.gif", pictureBytes("cloud AB12"));
    m_app.write("products/ZZ9/salespage.gif", pictureBytes("cloud ZZ9"));
    writeFile(picture("cover.png"), pictureBytes("affiliate cover"));
    writeFile(picture("own.png"), pictureBytes("own bonus"));
}

PageFields PageFixture::typicalFields() const
{
    PageFields fields;
    fields.mainTitle = "Product XYZ Review";
    fields.affiliateImagePath = picture("cover.png");
    fields.review = "Great product.";
    fields.bonusHeadline = " Get Your Copy with Our Private Bonus! Take a Look:";
    fields.ownBonusImagePath = picture("own.png");
    fields.rawProductId = "AB12\r\n";
    fields.ctaTitle = "Yes, Get Your Copy";
    fields.ctaText = "Click Here to Buy";
    fields.ctaUrl = "https://example.com/buy";
    fields.pdfFileName = "guide";
    return fields;
}

QString PageFixture::slot(const QString& filled, const QString& name)
{
    const QString open = '[' + name + ']';
    const qsizetype start = filled.indexOf(open) + open.size();
    return filled.mid(start, filled.indexOf("[/" + name + ']', start) - start);
}

PageFields PageFixture::withValues(PageFields fields, const QVariantMap& values)
{
    static const QHash<QString, QString PageFields::*> members{
        {"mainTitle", &PageFields::mainTitle},
        {"review", &PageFields::review},
        {"bonusHeadline", &PageFields::bonusHeadline},
        {"ctaTitle", &PageFields::ctaTitle},
        {"ctaText", &PageFields::ctaText},
        {"ctaUrl", &PageFields::ctaUrl},
        {"bonusInstructions", &PageFields::bonusInstructions},
        {"affiliateImageAlt", &PageFields::affiliateImageAlt},
        {"bonusImageAlt", &PageFields::bonusImageAlt},
        {"rating", &PageFields::rating},
        {"pros", &PageFields::pros},
        {"cons", &PageFields::cons},
        {"verdict", &PageFields::verdict},
        {"language", &PageFields::language},
        {"engine", &PageFields::engine},
    };
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        // A misspelt name would leave the row testing the typical page.
        if (!members.contains(it.key()))
            QTest::qFail(qPrintable("no text field " + it.key()), __FILE__, __LINE__);
        else
            fields.*members.value(it.key()) = it.value().toString();
    }
    return fields;
}

void PageTestCase::init()
{
    m_fixture = std::make_unique<PageFixture>();
    QVERIFY(m_fixture->isValid());
}

PageFields catalogueFields(const TestAppFolder& app)
{
    const QStringList entries = Catalogue::entries(app.path());
    const auto idOf = [&](int entry) { return Catalogue::readProductId(app.path(), entries.value(entry)); };
    PageFields fields;
    fields.mainTitle = "Fitted Page Check";
    fields.affiliateImagePath = Catalogue::salesPagePath(app.path(), Catalogue::cleanProductId(idOf(1)));
    fields.review = "Review for the web page.";
    fields.bonusHeadline = "Bonus Headline Here";
    fields.rawProductId = idOf(0);
    fields.ctaTitle = "Call To Action Title";
    fields.ctaText = "Click Here to Buy";
    fields.ctaUrl = "https://example.com/buy?ref=fit";
    fields.bonusInstructions = "Forward your receipt to claim.";
    fields.pdfFileName = "fit check";
    return fields;
}
