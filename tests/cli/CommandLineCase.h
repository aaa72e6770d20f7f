#pragma once

#include "CliFolder.h"

#include <QObject>
#include <QTemporaryDir>

#include <memory>

/** Base of the command line's tests: the built program in a fresh application folder, a stand-in converter. */
class CommandLineCase : public QObject {
    Q_OBJECT

protected Q_SLOTS:
    void init();
    void cleanup();

protected:
    QString outside(const QString& name) const { return m_outside->filePath(name); }
    QString output() const;
    /** A campaign passing every check, cover outside the folder, the first catalogue bonus. */
    QString campaign(const QString& name, const QString& pdfName,
                     const QString& catalogueEntry = "Email List Blueprint", bool saveWebPage = false);
    /** Job folders below temp and PDFs in the output folder. */
    QStringList leftovers() const;
    QStringList pids() const { return QString::fromUtf8(bytesOf(outside("pids"))).split('\n', Qt::SkipEmptyParts); }
    /** A stand-in converter running @p then, where "@PIDS" names the file pids() reads. */
    void useConverterNotingPids(const QByteArray& then) const;
    /** Expands "pdf:PAGE", "@0", "@1" ... (campaign files) and "@OUT" in @p lines. */
    QStringList expanded(QStringList lines, const QStringList& files) const;

    std::unique_ptr<TestAppFolder> m_app;
    std::unique_ptr<QTemporaryDir> m_outside;
    QString m_program;
};
