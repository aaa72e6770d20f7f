#pragma once

#include <QString>
#include <QTemporaryDir>

/**
 * A private copy of the built application folder in a temporary directory, so a test may
 * write, delete and break files freely. The converter link is kept as it was built.
 */
class TestAppFolder {
public:
    TestAppFolder();

    bool isValid() const { return m_dir.isValid() && m_copied; }
    /** The application folder, native separators, like the program's own. */
    QString path() const;
    /** @p relative with '/' between parts, below the application folder. */
    QString file(const QString& relative) const;

    /** Writes @p bytes to @p relative, creating folders; returns its full path. */
    QString write(const QString& relative, const QByteArray& bytes) const;
    /** Replaces the converter with a shell script whose body is @p script. */
    void useStandInConverter(const QByteArray& script) const;

    /** Every file below the folder with its size and modification time, to prove what changed. */
    QStringList snapshot() const;

private:
    QTemporaryDir m_dir;
    bool m_copied = false;
};

/**
 * Writes a stand-in for the sandbox program at @p path that starts the engine as it is, for tests whose stand-in
 * converters report through files the sandbox would hide; returns @p path.
 */
QString writeOpenSandbox(const QString& path);
/** The whole file, or nothing when it cannot be read. */
QByteArray bytesOf(const QString& path);
/** Writes @p bytes to @p path, creating its folder; returns @p path. */
QString writeFile(const QString& path, const QByteArray& bytes);
/** A one-pixel GIF followed by @p tag, which tells copies of different pictures apart; readers ignore it. */
QByteArray pictureBytes(const QByteArray& tag);
/** What @p program printed, or nothing when it failed or ran longer than a minute. */
QByteArray runTool(const QString& program, const QStringList& arguments);
