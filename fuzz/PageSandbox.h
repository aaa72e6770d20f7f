#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

/**
 * A private application folder for the page builder, made once per fuzzing process: a template with
 * all nine placeholders, a product image, an own bonus image and one catalogue bonus. The images are
 * already in bin, so a correct build leaves the folder exactly as it was once its page is removed.
 */
class PageSandbox final {
public:
    PageSandbox();

    bool isValid() const { return m_ready; }
    /** The application folder, native separators, like the program's own. */
    QString app() const;
    QString affiliateImage() const;
    QString ownBonusImage() const;

    /** Every entry below the sandbox (not only the application folder), relative, with file sizes. */
    QStringList listing() const;
    const QStringList& initialListing() const { return m_initial; }

private:
    bool write(const QString& relative, const QByteArray& bytes) const;
    bool makeFolders() const;

    QTemporaryDir m_root;
    QStringList m_initial;
    bool m_ready = false;
};
