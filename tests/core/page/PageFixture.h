#pragma once

#include "PageBuilder.h"
#include "TestAppFolder.h"

#include <QTemporaryDir>

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
    Result<BuiltPage> build(const PageFields& fields) const { return BuildPage(m_app.path(), fields); }

    /** What the filled test template holds between [name] and [/name]. */
    static QString slot(const QString& filled, const QString& name);

private:
    TestAppFolder m_app;
    QTemporaryDir m_pictures;
    bool m_ready = false;
};
