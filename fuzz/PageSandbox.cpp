#include "PageSandbox.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace {
// '#' appears only in the placeholders, so a filled page without '#' in its values has none left.
const char* const TemplateText =
    "<!DOCTYPE html>\r\n<html><head><meta charset=\"utf-8\"><title>#OPENINGTITLE#</title></head>\r\n"
    "<body><h1>#OPENINGTITLE#</h1><img src=\"#AFFILIATEIMAGE#\">\r\n<p>#REVIEW#</p>\r\n"
    "<h2>#BONUSTITLE#</h2><img src=\"#SALESPAGE#\">\r\n<h3>#CTATITLE#</h3><a href=\"#CTAURL#\">#CTATEXT#</a>\r\n"
    "<div>#BONUSINSTRUCTIONS#</div><p>Preis 9 \xE2\x82\xAC, caf\xC3\xA9 \xF0\x9F\x98\x80</p>\r\n";
const QByteArray ImageBytes("GIF89a\x01\x00\x01\x00\x00\x00\x00;", 14);
} // namespace

PageSandbox::PageSandbox()
{
    m_ready = m_root.isValid() && makeFolders() && write(QStringLiteral("app/bin/template.html"), TemplateText) &&
              write(QStringLiteral("images/product.jpg"), ImageBytes) &&
              write(QStringLiteral("images/own bonus.png"), ImageBytes) &&
              write(QStringLiteral("app/products/ID/salespage.gif"), ImageBytes) &&
              write(QStringLiteral("app/products/Bonus.txt"), "ID\r\n") &&
              write(QStringLiteral("app/bin/product.jpg"), ImageBytes) &&
              write(QStringLiteral("app/bin/own bonus.png"), ImageBytes) &&
              write(QStringLiteral("app/bin/salespage.gif"), ImageBytes);
    m_initial = listing();
}

QString PageSandbox::app() const
{
    return QDir::toNativeSeparators(m_root.filePath(QStringLiteral("app")));
}

QString PageSandbox::affiliateImage() const
{
    return QDir::toNativeSeparators(m_root.filePath(QStringLiteral("images/product.jpg")));
}

QString PageSandbox::ownBonusImage() const
{
    return QDir::toNativeSeparators(m_root.filePath(QStringLiteral("images/own bonus.png")));
}

QStringList PageSandbox::listing() const
{
    QStringList entries;
    const QDir root(m_root.path());
    QDirIterator it(m_root.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        const QString size = info.isDir() ? QStringLiteral("folder") : QString::number(info.size());
        entries << root.relativeFilePath(info.filePath()) + QLatin1Char(' ') + size;
    }
    entries.sort();
    return entries;
}

bool PageSandbox::makeFolders() const
{
    const QDir root(m_root.path());
    for (const char* folder : {"images", "app/bin/output", "app/products/ID", "app/temp"}) {
        if (!root.mkpath(QLatin1String(folder)))
            return false;
    }
    return true;
}

bool PageSandbox::write(const QString& relative, const QByteArray& bytes) const
{
    QFile file(m_root.filePath(relative));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
