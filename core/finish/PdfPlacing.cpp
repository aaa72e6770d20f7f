#include "PdfPlacing.h"

#include "FileToolkit.h"
#include "Leftovers.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

using namespace orvanta::files;
using namespace orvanta::finish;

namespace orvanta::finish {
namespace {
// A PDF is the user's to hand on: readable as a file written by any program, not only by its owner.
constexpr QFileDevice::Permissions PdfPermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;

// The output folder may lie on another file system; the copy lands under a private name beside the target and is
// renamed over it, so a link at the target is replaced, never written through, and no half PDF ever shows.
Result<void> copyReplacing(const QString& source, const QString& target)
{
    QFile in(source);
    const Result<void> copied = replaceBeside(
        target, in,
        Leftovers::privateTemplate(QFileInfo(target).absolutePath(), QStringLiteral("orvanta"), QStringLiteral(".pdf")),
        PdfPermissions);
    if (!copied.ok())
        return copied;
    in.close();
    QFile::remove(source);
    return {};
}

} // namespace

Result<QString> reservePrivateFile(const QString& nameTemplate)
{
    QTemporaryFile reserved(nameTemplate);
    if (!reserved.open() || !reserved.setPermissions(PdfPermissions))
        return fail(reserved.errorString());
    reserved.setAutoRemove(false);
    return reserved.fileName();
}

// Replaces the target in one step, never writing through a link at it: a rename where the file system allows, else
// a copy under a private name beside it. The source is gone afterwards.
Result<void> moveReplacing(const QString& source, const QString& target)
{
    if (renameOver(source, target))
        return {};
    return copyReplacing(source, target);
}

// The converter writes a private name it was handed; the PDF's own bytes are what a run may reuse.
bool copyInto(const QString& source, const QString& target)
{
    QFile in(source);
    QFile out(target);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray bytes = in.readAll();
    return out.write(bytes) == bytes.size() && out.flush();
}
} // namespace orvanta::finish
