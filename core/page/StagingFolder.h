#pragma once

#include "PageBuilder.h"

#include <QString>
#include <QTemporaryDir>

/**
 * A private folder below the application folder's temp folder where one job builds its page, copies its
 * images and lets the converter write, so that no other job, and no Create in a window, can overwrite or
 * delete its files. The page's scripts are reached through the same relative paths as in bin. The folder
 * and everything in it go with the object, also when the job failed.
 */
class StagingFolder final {
public:
    /** @p purpose names the folder ("job", "preview"), with this process's id, so a leftover says who made it. */
    StagingFolder(const QString& app, const QString& purpose);

    bool isValid() const;
    /** Why the folder could not be made ready; names the folder. */
    QString error() const;
    QString path() const;
    /** Page, images and PDF all inside this folder. */
    PageTarget target() const;

private:
    bool linkAssets(const QString& app);

    QTemporaryDir m_dir;
    QString m_error;
};
