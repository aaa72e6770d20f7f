#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

class WindowFixture;
class DisabledWatch;
class ImmutableFiles;

/** Sets up one fault before a job; false when this system cannot produce it. */
using FaultSetup = bool (*)(WindowFixture&, ImmutableFiles&);

/** Every file below @p root (symbolic links not followed), by relative path, with its size, time and checksum. */
QMap<QString, QString> folderState(const QString& root);

/** What changed between two states: "+added", "-removed" and "~changed" relative paths, sorted. */
QStringList changesBetween(const QMap<QString, QString>& before, const QMap<QString, QString>& after);

QStringList sorted(QStringList list);

/** Replaces "@APP@" and "@OUT@" by the fixture's application folder and the folder outside it. */
QString expand(const WindowFixture& fixture, QString text);

/**
 * Watches one job of the window from the moment it is made: which files it changed inside and
 * outside the application folder, and whether the window was usable whenever it showed a message.
 */
class GuardedRun final {
public:
    explicit GuardedRun(WindowFixture& fixture);
    ~GuardedRun();
    Q_DISABLE_COPY_MOVE(GuardedRun)

    QStringList appChanges() const;
    QStringList outsideChanges() const;
    /** Both buttons enabled and the notice hidden at every message box, including questions. */
    bool idleAtEveryMessage() const { return m_idleAtMessages; }
    bool busyEntered() const;
    /** The messages shown since the watch began, as "title: text". */
    QStringList messages() const;

private:
    WindowFixture& m_fixture;
    QMap<QString, QString> m_appBefore;
    QMap<QString, QString> m_outsideBefore;
    int m_messagesBefore;
    bool m_idleAtMessages = true;
    DisabledWatch* m_watch;
};

/** Makes files immutable, which stops even root from changing or removing them, until it goes out of scope. */
class ImmutableFiles final {
public:
    ImmutableFiles() = default;
    ~ImmutableFiles();
    Q_DISABLE_COPY_MOVE(ImmutableFiles)

    /** False when this system cannot protect @p path (no chattr, or a file system without the flag). */
    bool lock(const QString& path);

private:
    QStringList m_locked;
};
