#pragma once

#include "PageBuilder.h"
#include "TestAppFolder.h"

#include <QObject>
#include <QTemporaryDir>
#include <QVariantMap>

#include <memory>

/**
 * A private application folder for page builder tests: a template that marks each placeholder as
 * [slot]#PLACEHOLDER#[/slot], the catalogue bonuses AB12 and ZZ9, and the pictures cover.png and own.png.
 */
class PageFixture final {
public:
    PageFixture();

    bool isValid() const { return m_ready; }
    const TestAppFolder& app() const { return m_app; }
    QString bin(const QString& name) const { return m_app.file("bin/" + name); }
    QString picture(const QString& name) const { return m_pictures.filePath(name); }
    /** Valid fields: cloud bonus AB12 (raw identifier with CR LF), PDF name "guide". */
    PageFields typicalFields() const;
    Result<BuiltPage> build(const PageFields& fields) const { return orvanta::page::BuildPage(m_app.path(), fields); }

    /** What the filled test template holds between [name] and [/name]. */
    static QString slot(const QString& filled, const QString& name);
    /** @p fields with the text fields that @p values names by member name ("mainTitle", "pros", ...) set. */
    static PageFields withValues(PageFields fields, const QVariantMap& values);

private:
    TestAppFolder m_app;
    QTemporaryDir m_pictures;
    bool m_ready = false;
};

/**
 * A whole page from @p app's shipped catalogue, every text filled: the second entry's sales page as the product
 * picture, the first entry as the bonus, the PDF "fit check".
 */
PageFields catalogueFields(const TestAppFolder& app);

/** Base of the page tests: a fresh fixture for every test. */
class PageTestCase : public QObject {
    Q_OBJECT

protected Q_SLOTS:
    void init();

protected:
    std::unique_ptr<PageFixture> m_fixture;
};
