#include "PageFixture.h"

#include "TestConfig.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
