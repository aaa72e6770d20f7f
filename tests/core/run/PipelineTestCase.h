#pragma once

#include "EngineStarter.h"
#include "PageFixture.h"
#include "PagePipeline.h"

#include <QObject>

#include <memory>

extern const QByteArray EarlierPdf;
/** The stand-in takes the PDF as its last argument, whatever options come before. */
extern const QByteArray LastArgument;
/** A stand-in's body that writes a whole PDF. */
extern const QByteArray WritePdf;

/** A folder's entries, hidden ones too, its ".keep" left out. */
QStringList entriesOf(const QString& folder);

/** A process that has ended, so its id names no living owner. */
qint64 deadPid();

/** Every private name below @p folder, whichever style. */
QStringList privateNamesBelow(const QString& folder);

/** Base of the pipeline's tests: a fresh page fixture for every test, the engines' settings restored after. */
class PipelineTestCase : public QObject {
    Q_OBJECT

protected Q_SLOTS:
    void init();
    void cleanup();

protected:
    PageOrder order(PageOrder::Place place) const;
    PageResult runToEnd(const PageOrder& order, EngineStarter& starter = EngineStarter::direct(),
                        PagePipeline** kept = nullptr);
    QString output(const QString& name = QString()) const;

    std::unique_ptr<PageFixture> m_page;
};
