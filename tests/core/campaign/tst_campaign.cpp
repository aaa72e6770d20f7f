#include "Campaign.h"

#include "TestAppFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

#include <sys/stat.h>

using namespace orvanta::campaign;

Q_DECLARE_METATYPE(Campaign)

using Change = std::function<void(Campaign&)>;
Q_DECLARE_METATYPE(Change)

namespace {
const QString unicodeName = QStringLiteral("Kampagne \u00FC \u65E5\u672C \U0001F600.orvanta");

QByteArray validJsonWith(const char* key, const QJsonValue& value)
{
    QJsonObject root = QJsonDocument::fromJson(CampaignFile::toJson(Campaign(), QDir::tempPath())).object();
    root.insert(QLatin1String(key), value);
    return QJsonDocument(root).toJson();
}
} // namespace

/** The campaign file: round trip, format versions, and every file it refuses or cannot write. */
class TestCampaign final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void roundTrip_data();
    void roundTrip();
    void formatVersion_data();
    void formatVersion();
    void ratingInFile_data();
    void ratingInFile();
    void badFile_data();
    void badFile();
    void unwritableTarget_data();
    void unwritableTarget();

private:
    QString image(const QString& relative) const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestCampaign::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QString TestCampaign::image(const QString& relative) const
{
    return QDir::toNativeSeparators(writeFile(m_dir->filePath(relative), pictureBytes("PNG")));
}

void TestCampaign::roundTrip_data()
{
    QTest::addColumn<Change>("change");
    QTest::newRow("the window's defaults") << Change([](Campaign&) {});
    QTest::newRow("every text in Unicode") << Change([](Campaign& c) {
        const QString text = QStringLiteral("\u00C4\u00DF \u0416 \u03A9 \u4E2D\u6587 \U0001F680 \"q\" \\ <b>&amp;");
        for (QString* field : {&c.mainTitle, &c.review, &c.ctaUrl, &c.bonusHeadline, &c.catalogueEntry, &c.productId,
                               &c.ctaTitle, &c.ctaText, &c.bonusInstructions, &c.pdfFileName, &c.deliveryUrl})
            *field = text + QString::number(quintptr(field) % 97);
    });
    QTest::newRow("CR LF in review, instructions and identifier") << Change([](Campaign& c) {
        c.review = QStringLiteral("one\r\ntwo\r\n\r\nthree\r\n");
        c.bonusInstructions = QStringLiteral("\r\nstep 1\r\nstep 2");
        c.catalogueEntry = QStringLiteral("SEO Traffic Toolkit");
        c.productId = QStringLiteral("AB12\r\n");
    });
    QTest::newRow("own bonus, image paths with blanks and Unicode") << Change([](Campaign& c) {
        c.ownBonus = true;
        c.deliveryUrl = QStringLiteral("https://example.org/my-bonus");
        c.affiliateImagePath = QStringLiteral("IMAGES/my cover \u00E9\u00E8.png");
        c.ownBonusImagePath = QStringLiteral("IMAGES/sub folder/b\u00F6nus  2.gif");
    });
    QTest::newRow("create options the other way") << Change([](Campaign& c) {
        c.fitToContent = false;
        c.saveWebPage = true;
    });
    QTest::newRow("everything empty") << Change([](Campaign& c) {
        for (QString* field : {&c.mainTitle, &c.ctaUrl, &c.bonusHeadline, &c.ctaTitle, &c.ctaText, &c.deliveryUrl})
            field->clear();
    });
    QTest::newRow("a design and a whole brand") << Change([](Campaign& c) {
        c.design = QStringLiteral("Calm");
        c.brand = {"#112233", "#000000", "#FFFFFF", "DejaVu Serif", "Liberation Sans", "IMAGES/logo \u00E9.png", {}};
    });
    QTest::newRow("a brand of one colour") << Change([](Campaign& c) { c.brand.accentColor = "#abcdef"; });
    QTest::newRow("every tracking tag") << Change([](Campaign& c) {
        c.utmSource = QStringLiteral("pdf");
        c.utmMedium = QStringLiteral("bonus page");
        c.utmCampaign = QStringLiteral("spring\u00E9");
        c.utmContent = QStringLiteral("a&b=c");
        c.utmTerm = QStringLiteral("x");
    });
    QTest::newRow("review blocks, descriptions, language and engine") << Change([](Campaign& c) {
        c.rating = QStringLiteral("4.5");
        c.pros = QStringLiteral("fast\r\n\r\ncheap \u00E9");
        c.cons = QStringLiteral("\"none\" <b>");
        c.verdict = QStringLiteral("Buy it.");
        c.affiliateImageAlt = QStringLiteral("The cover");
        c.bonusImageAlt = QStringLiteral("The checklist");
        c.language = QStringLiteral("pt-BR");
        c.engine = QStringLiteral("chromium");
    });
    QTest::newRow("a rating of 0 and the engine made empty") << Change([](Campaign& c) {
        c.rating = QStringLiteral("0");
        c.engine = QString();
    });
    QTest::newRow("an engine the list lacks, kept as named") << Change([](Campaign& c) { c.engine = "prince"; });
    QTest::newRow("a 1 MB review") << Change([](Campaign& c) { c.review = QString(1024 * 1024, QChar(0x00E9)); });
}

void TestCampaign::roundTrip()
{
    QFETCH(Change, change);
    Campaign saved;
    change(saved);
    // Image paths name real files, so nothing is reported missing.
    for (QString* path : {&saved.affiliateImagePath, &saved.ownBonusImagePath, &saved.brand.logoPath})
        if (path->startsWith(QLatin1String("IMAGES/")))
            *path = image(*path);
    const QString file = m_dir->filePath(unicodeName);
    const Result<void> written = CampaignFile::write(file, saved);
    QVERIFY2(written.ok(), qPrintable(written.error()));
    const Result<CampaignFile::OpenedCampaign> read = CampaignFile::read(file);
    QVERIFY2(read.ok(), qPrintable(read.error()));
    QCOMPARE(read->missing, QStringList());
    QVERIFY(read->campaign == saved);
    QVERIFY(read.error().isEmpty());
}

void TestCampaign::badFile_data()
{
    // Bytes for the file; a few rows make something else of the path instead.
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("make");
    QTest::addColumn<QString>("says");
    const auto row = [](const char* name, const QByteArray& bytes, const char* make, const char* says) {
        QTest::newRow(name) << bytes << QString::fromLatin1(make) << QString::fromLatin1(says);
    };
    const QByteArray valid = CampaignFile::toJson(Campaign(), QDir::tempPath());
    row("not JSON", "Product XYZ Review\nhttp://", "", "no valid JSON");
    row("binary junk", QByteArray("\x89PNG\r\n\x1a\n\0\0", 10), "", "no valid JSON");
    row("empty", QByteArray(), "", "is empty");
    row("truncated", valid.left(valid.size() / 2), "", "incomplete");
    row("a JSON list", "[1, 2]", "", "not an Orvanta campaign");
    row("another format", R"({"format": "keepass", "version": 1})", "", "not an Orvanta campaign");
    row("no format", R"({"version": 1, "mainTitle": "x"})", "", "not an Orvanta campaign");
    row("newer version", validJsonWith("version", CampaignFile::formatVersion + 1), "", "made by a newer Orvanta");
    row("rating is a list", validJsonWith("rating", QJsonArray()), "", "\"rating\" should be a number");
    row("rating is true", validJsonWith("rating", true), "", "\"rating\" should be a number");
    row("version 1.5", validJsonWith("version", 1.5), "", "no valid format version");
    row("design is a number", validJsonWith("design", 5), "", "\"design\" should be a text");
    row("brand is text", validJsonWith("brand", "blue"), "", "\"brand\" should be an object");
    row("brand colour no colour", validJsonWith("brand", QJsonObject{{"accentColor", "red"}}), "", "is damaged");
    row("brand colour ending the style rule", validJsonWith("brand", QJsonObject{{"textColor", "#000000;} x {"}}), "",
        "is damaged");
    row("brand font not installed", validJsonWith("brand", QJsonObject{{"bodyFont", "Comic Sans"}}), "",
        "not installed");
    row("tag is a number", validJsonWith("utm_source", 7), "", "\"utm_source\" should be a text");
    row("version as text", validJsonWith("version", "1"), "", "no valid format version");
    row("version 0", validJsonWith("version", 0), "", "no valid format version");
    row("text is a number", validJsonWith("review", 5), "", "\"review\" should be a text");
    row("text is null", validJsonWith("mainTitle", QJsonValue()), "", "\"mainTitle\" should be");
    row("flag is text", validJsonWith("ownBonus", "yes"), "", "\"ownBonus\" should be true or false");
    row("entry is a list", validJsonWith("catalogueEntry", QJsonArray()), "", "\"catalogueEntry\" should be");
    row("image is text", validJsonWith("affiliateImage", "/a.png"), "", "\"affiliateImage\" should be");
    row("50 MB", QByteArray(), "huge", "too large");
    row("a folder in its place", QByteArray(), "folder", "is a folder");
    row("missing", QByteArray(), "missing", "does not exist");
    row("a pipe in its place", QByteArray(), "pipe", "not an ordinary file");
    row("unreadable", valid, "unreadable", "cannot be read");
}

void TestCampaign::badFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, make);
    QFETCH(QString, says);
    const QString file = m_dir->filePath(unicodeName);
    if (make == "folder") {
        QVERIFY(QDir(m_dir->path()).mkdir(unicodeName));
    } else if (make == "huge") {
        QFile huge(file);
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(50 * 1024 * 1024)); // sparse, quick
    } else if (make == "pipe") {
        QVERIFY(::mkfifo(QFile::encodeName(file).constData(), 0600) == 0);
    } else if (make != "missing") {
        writeFile(file, bytes);
    }
    if (make == "unreadable") {
        QVERIFY(QFile::setPermissions(file, QFile::WriteOwner));
        if (QFile(file).open(QIODevice::ReadOnly))
            QSKIP("permissions do not bind this user (root)");
    }
    const Result<CampaignFile::OpenedCampaign> read = CampaignFile::read(file);
    QVERIFY(!read.ok());
    QVERIFY2(read.error().contains(says), qPrintable(read.error()));
    QVERIFY2(read.error().contains(QDir::toNativeSeparators(file)), qPrintable(read.error()));
}

void TestCampaign::formatVersion_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<int>("version");
    QTest::newRow("nothing new: as every Orvanta wrote it") << Change([](Campaign&) {}) << 1;
    QTest::newRow("options changed: still 1") << Change([](Campaign& c) { c.saveWebPage = true; }) << 1;
    QTest::newRow("a design") << Change([](Campaign& c) { c.design = "Bold"; }) << 2;
    QTest::newRow("Classic named") << Change([](Campaign& c) { c.design = "Classic"; }) << 2;
    QTest::newRow("a heading font only") << Change([](Campaign& c) { c.brand.headingFont = "DejaVu Serif"; }) << 2;
    QTest::newRow("a logo only") << Change([](Campaign& c) { c.brand.logoPath = "/x/logo.png"; }) << 2;
    QTest::newRow("one tag") << Change([](Campaign& c) { c.utmTerm = QStringLiteral("t"); }) << 2;
    QTest::newRow("a tag made empty again") << Change([](Campaign& c) { c.utmSource = QString(); }) << 1;
    QTest::newRow("a tag and a later first-version field")
        << Change([](Campaign& c) { c.utmTerm = QStringLiteral("t"), c.saveWebPage = true; }) << 2;
    QTest::newRow("a QR code") << Change([](Campaign& c) { c.qrCode = true; }) << 3;
    QTest::newRow("a QR code and a design") << Change([](Campaign& c) { c.qrCode = true, c.design = "Bold"; }) << 3;
    QTest::newRow("a rating") << Change([](Campaign& c) { c.rating = "0"; }) << 3;
    QTest::newRow("pros only") << Change([](Campaign& c) { c.pros = "x"; }) << 3;
    QTest::newRow("a verdict with a design") << Change([](Campaign& c) { c.verdict = "x", c.design = "Bold"; }) << 3;
    QTest::newRow("a picture's description") << Change([](Campaign& c) { c.bonusImageAlt = "x"; }) << 3;
    QTest::newRow("a language") << Change([](Campaign& c) { c.language = "de"; }) << 3;
    QTest::newRow("the other engine") << Change([](Campaign& c) { c.engine = "chromium"; }) << 3;
    QTest::newRow("the converter, named") << Change([](Campaign& c) { c.engine = "wkhtmltopdf"; }) << 1;
    QTest::newRow("a price and whom it suits") << Change([](Campaign& c) { c.price = "$29", c.bestFor = "x"; }) << 5;
}

// An older Orvanta reads version 1 only: a file it would make into another page must say it is newer, and one it
// can make must stay exactly as it wrote it.
void TestCampaign::formatVersion()
{
    QFETCH(Change, change);
    QFETCH(int, version);
    Campaign campaign;
    change(campaign);
    QCOMPARE(requiredFormatVersion(campaign), version);
    const QJsonObject root = QJsonDocument::fromJson(CampaignFile::toJson(campaign, m_dir->path())).object();
    QCOMPARE(root.value("version").toInt(), version);
    int newer = 0;
    for (const char* key : {"design", "brand", "utm_term", "rating", "pros", "verdict", "bonusImageAlt", "language",
                            "engine", "qrCode", "price", "bestFor"})
        newer += int(root.contains(QLatin1String(key)));
    QCOMPARE(newer > 0, version > 1);
    // A file using nothing newer keeps exactly the keys it always had.
    QCOMPARE(root.keys().size(), 18 + newer);
}

void TestCampaign::ratingInFile_data()
{
    QTest::addColumn<QString>("rating");
    QTest::addColumn<QJsonValue>("stored");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("a half") << "4.5" << QJsonValue(4.5) << "4.5";
    QTest::newRow("a decimal comma, as a sheet may give it") << "4,5" << QJsonValue(4.5) << "4.5";
    QTest::newRow("a whole number") << "5" << QJsonValue(5) << "5";
    QTest::newRow("no rating: left out") << "" << QJsonValue(QJsonValue::Undefined) << "";
    // Kept as given, so saving loses nothing; Create names what is wrong with it.
    QTest::newRow("not a rating: kept as text") << "five" << QJsonValue("five") << "five";
}

// The file holds a rating as a number; whatever it holds, reading it back gives the same campaign.
void TestCampaign::ratingInFile()
{
    QFETCH(QString, rating);
    QFETCH(QJsonValue, stored);
    QFETCH(QString, readBack);
    Campaign campaign;
    campaign.rating = rating;
    const QByteArray bytes = CampaignFile::toJson(campaign, m_dir->path());
    QCOMPARE(QJsonDocument::fromJson(bytes).object().value("rating"), stored);
    const Result<CampaignFile::OpenedCampaign> read = CampaignFile::fromJson(bytes, m_dir->path(), "c.orvanta");
    QVERIFY2(read.ok(), qPrintable(read.error()));
    QCOMPARE(read->campaign.rating, readBack);
}

void TestCampaign::unwritableTarget_data()
{
    QTest::addColumn<QString>("make");
    QTest::newRow("a folder in place of the file") << "folder";
    QTest::newRow("a file in place of its folder") << "file as folder";
    QTest::newRow("read-only folder") << "read-only";
}

void TestCampaign::unwritableTarget()
{
    QFETCH(QString, make);
    QString file = m_dir->filePath("sub/" + unicodeName);
    writeFile(m_dir->filePath("sub/x"), "");
    if (make == "folder")
        QVERIFY(QDir(m_dir->filePath("sub")).mkdir(unicodeName));
    if (make == "file as folder")
        file = m_dir->filePath("sub/x/" + unicodeName);
    if (make == "read-only") {
        writeFile(file, "earlier campaign");
        QVERIFY(QFile::setPermissions(m_dir->filePath("sub"), QFile::ReadOwner | QFile::ExeOwner));
        if (QFileInfo(m_dir->filePath("sub")).isWritable()) {
            QFile::setPermissions(m_dir->filePath("sub"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QSKIP("permissions do not bind this user (root)");
        }
    }
    const QStringList before = QDir(m_dir->filePath("sub")).entryList(QDir::AllEntries | QDir::Hidden);
    const Result<void> result = CampaignFile::write(file, Campaign());
    QFile::setPermissions(m_dir->filePath("sub"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!result.ok());
    QVERIFY2(result.error().contains(QDir::toNativeSeparators(file)), qPrintable(result.error()));
    QCOMPARE(QDir(m_dir->filePath("sub")).entryList(QDir::AllEntries | QDir::Hidden), before);
    if (make == "read-only")
        QCOMPARE(bytesOf(file), QByteArray("earlier campaign"));
}

QTEST_GUILESS_MAIN(TestCampaign)
#include "tst_campaign.moc"
