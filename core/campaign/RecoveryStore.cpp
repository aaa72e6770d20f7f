#include "RecoveryStore.h"

#include "AppFolder.h"
#include "CampaignTr.h"
#include "FileToolkit.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QSaveFile>

#include <algorithm>

using namespace orvanta::files;
using namespace orvanta::campaign;

namespace orvanta::campaign {
namespace {
const QString copyPrefix = QStringLiteral("window-");

QString extensionOf(RecoveryKind kind)
{
    return kind == RecoveryKind::List ? ListFile::extension() : CampaignFile::extension();
}

// Beside the copy, whichever kind it is: "window-ID.lock" for "window-ID.orvantalist".
QString sidePath(const QString& copyPath, const char* suffix)
{
    const QString name = QFileInfo(copyPath).fileName();
    return QDir(QFileInfo(copyPath).path()).filePath(name.left(name.indexOf(QLatin1Char('.')) + 1)) +
           QLatin1String(suffix);
}

std::unique_ptr<QLockFile> lockFor(const QString& copyPath)
{
    auto lock = std::make_unique<QLockFile>(sidePath(copyPath, "lock"));
    // A live window may keep its lock for days; only a gone process makes it stale.
    lock->setStaleLockTime(0);
    return lock;
}

QString readSource(const QString& copyPath)
{
    // A path, never more than a few kilobytes; anything else there is not ours.
    const Result<QByteArray> source = readBounded(sidePath(copyPath, "source"), 64 * 1024);
    return source ? QString::fromUtf8(source.value()) : QString();
}

bool writeSource(const QString& copyPath, const QString& sourcePath)
{
    QSaveFile file(sidePath(copyPath, "source"));
    return file.open(QIODevice::WriteOnly) && file.write(sourcePath.toUtf8()) >= 0 && file.commit();
}

QString freeKeptName(const QString& folder, const QDateTime& time, const QString& extension)
{
    // A file's name, the same in every language, like the copies' own.
    const QString stem =
        QStringLiteral("Unsaved %1 %2")
            .arg(extension == ListFile::extension() ? QStringLiteral("list") : QStringLiteral("campaign"),
                 time.toString(QStringLiteral("yyyy-MM-dd HH.mm.ss")));
    QString name = stem + QLatin1Char('.') + extension;
    for (int n = 2; QFileInfo::exists(QDir(folder).filePath(name)); ++n)
        name = QStringLiteral("%1 (%2).%3").arg(stem).arg(n).arg(extension);
    return QDir::toNativeSeparators(QDir(folder).filePath(name));
}
} // namespace
} // namespace orvanta::campaign

OrphanedCopy::OrphanedCopy() = default;
OrphanedCopy::OrphanedCopy(OrphanedCopy&&) noexcept = default;
OrphanedCopy& OrphanedCopy::operator=(OrphanedCopy&&) noexcept = default;
OrphanedCopy::~OrphanedCopy() = default;

RecoveryStore::RecoveryStore(const QString& app, RecoveryKind kind)
    : m_folder(AppFolder::recoveryFolder(app))
    , m_kind(kind)
    , m_id(QStringLiteral("%1-%2")
               .arg(QCoreApplication::applicationPid())
               .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')))
{
}

RecoveryStore::~RecoveryStore() = default;

QString RecoveryStore::copyPath() const
{
    return inFolder(m_folder, copyPrefix + m_id + QLatin1Char('.') + extensionOf(m_kind));
}

Result<void> RecoveryStore::save(const Campaign& campaign, const QString& sourcePath)
{
    Q_ASSERT(m_kind == RecoveryKind::Campaign);
    const Result<void> locked = lockOnce();
    return locked ? noteSource(CampaignFile::write(copyPath(), campaign), sourcePath) : locked;
}

Result<void> RecoveryStore::save(const ProductList& list, const QString& sourcePath)
{
    Q_ASSERT(m_kind == RecoveryKind::List);
    const Result<void> locked = lockOnce();
    return locked ? noteSource(ListFile::write(copyPath(), list), sourcePath) : locked;
}

Result<void> RecoveryStore::lockOnce()
{
    if (!m_lock) {
        if (!QDir().mkpath(m_folder))
            return fail(CampaignTr::tr("The folder \"%1\" for recovery copies cannot be made.").arg(m_folder));
        auto lock = lockFor(copyPath());
        if (!lock->tryLock(0))
            return fail(CampaignTr::tr("The recovery copy \"%1\" cannot be locked.").arg(copyPath()));
        m_lock = std::move(lock);
    }
    return {};
}

Result<void> RecoveryStore::noteSource(Result<void> written, const QString& sourcePath)
{
    if (written && !writeSource(copyPath(), sourcePath))
        return fail(
            QStringLiteral("The recovery copy's note \"%1\" cannot be written.").arg(sidePath(copyPath(), "source")));
    return written;
}

void RecoveryStore::discard()
{
    QFile::remove(copyPath());
    QFile::remove(sidePath(copyPath(), "source"));
    m_lock.reset(); // unlocking removes the lock file
}

std::vector<OrphanedCopy> RecoveryStore::findOrphans(const QString& app, RecoveryKind kind)
{
    std::vector<OrphanedCopy> orphans;
    const QString folder = AppFolder::recoveryFolder(app);
    const QString pattern = copyPrefix + QStringLiteral("*.") + extensionOf(kind);
    for (const QFileInfo& info : QDir(folder).entryInfoList({pattern}, QDir::Files)) {
        auto lock = lockFor(info.filePath());
        if (!lock->tryLock(0))
            continue; // its window is still open
        OrphanedCopy orphan;
        orphan.copyPath = QDir::toNativeSeparators(info.filePath());
        orphan.sourcePath = readSource(info.filePath());
        orphan.lastChanged = info.lastModified();
        orphan.lock = std::move(lock);
        orphans.push_back(std::move(orphan));
    }
    std::sort(orphans.begin(), orphans.end(),
              [](const OrphanedCopy& a, const OrphanedCopy& b) { return a.lastChanged < b.lastChanged; });
    return orphans;
}

void RecoveryStore::forget(OrphanedCopy& orphan)
{
    QFile::remove(orphan.copyPath);
    QFile::remove(sidePath(orphan.copyPath, "source"));
    orphan.lock.reset();
}

Result<QString> RecoveryStore::keep(OrphanedCopy& orphan)
{
    const QFileInfo copy(orphan.copyPath);
    const QString kept = freeKeptName(copy.absolutePath(), orphan.lastChanged, copy.suffix());
    if (!QFile::rename(orphan.copyPath, kept))
        return fail(CampaignTr::tr("The recovery copy \"%1\" cannot be renamed to \"%2\"; it stays where it is.")
                        .arg(orphan.copyPath, kept));
    QFile::remove(sidePath(orphan.copyPath, "source"));
    orphan.lock.reset();
    return kept;
}
