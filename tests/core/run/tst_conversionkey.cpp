#include "ConversionKey.h"

#include "TestAppFolder.h"

#include <QFile>
#include <QTest>

using namespace orvanta::run;

/** An earlier PDF is taken again only when every input of its conversion is the same. */
class TestConversionKey final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void conversionKeyFollowsEveryInput_data();
    void conversionKeyFollowsEveryInput();
};

void TestConversionKey::conversionKeyFollowsEveryInput_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("nothing") << "";
    QTest::newRow("page byte") << "page";
    QTest::newRow("picture byte") << "picture";
    QTest::newRow("design file byte") << "design";
    QTest::newRow("fitting") << "fit";
    QTest::newRow("sizing") << "size";
    QTest::newRow("the other engine") << "engine";
    QTest::newRow("another converter program") << "program";
}

void TestConversionKey::conversionKeyFollowsEveryInput()
{
    QFETCH(QString, change);
    TestAppFolder app;
    QVERIFY(app.isValid());
    BuiltPage page;
    page.htmlPath = app.write("bin/guide.html", "<html lang=\"en\"><img src=\"a.png\"></html>");
    page.imageNames = {"a.png"};
    page.assetNames = {"css/look.css"};
    app.write("bin/a.png", "picture bytes");
    app.write("bin/css/look.css", "p{}");
    CreateOptions options;
    app.useStandInConverter("exit 0");
    const QByteArray before = conversionKey(app.path(), page, options);
    QVERIFY(!before.isEmpty());
    if (change == "page")
        app.write("bin/guide.html", "<html lang=\"en\"><img src=\"a.png\"></html> ");
    if (change == "picture")
        app.write("bin/a.png", "picture byteS");
    if (change == "design")
        app.write("bin/css/look.css", "p{ }");
    options.fitToContent = change != "fit";
    options.optimiseImages = change != "size";
    if (change == "program")
        app.useStandInConverter("exit 0 # updated");
    options.saveWebPage = true; // made after the PDF, from the page itself
    const PdfEngine engine = change == "engine" ? PdfEngine::Chromium : PdfEngine::Converter;
    QCOMPARE(conversionKey(app.path(), page, options, engine) == before, change.isEmpty());
    QFile::remove(app.file("bin/a.png"));
    QVERIFY(conversionKey(app.path(), page, options).isEmpty());
}

QTEST_GUILESS_MAIN(TestConversionKey)
#include "tst_conversionkey.moc"
