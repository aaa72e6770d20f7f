#include "ModUtf8.h"

#include <QCoreApplication>
#include <QStringEncoder>

namespace modUTF8 {
QByteArray utf8Bytes(const QString& text, bool lineBreak)
{
    QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    QByteArray bytes = encoder(text);
    if (lineBreak)
        bytes.append("\r\n");
    return bytes;
}

static QString fileError(const QFile& file)
{
    return QCoreApplication::translate("modUTF8", "Could not write the file \"%1\": %2.")
        .arg(file.fileName(), file.errorString());
}

std::unique_ptr<QFile> OpenForAppend(const QString& path, QString* error)
{
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Append)) {
        if (error)
            *error = fileError(*file);
        return nullptr;
    }
    return file;
}

bool writeUtf8(QFile& file, const QString& text, bool lineBreak, QString* error)
{
    const QByteArray bytes = utf8Bytes(text, lineBreak);
    if (bytes.isEmpty())
        return true;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        if (error)
            *error = fileError(file);
        return false;
    }
    return true;
}
} // namespace modUTF8
