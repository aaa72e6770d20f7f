#include "AppFolder.h"
#include "PageBuilder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace orvanta::files;
using namespace orvanta::page;

namespace {
/** A private application folder with the shipped template and one catalogue bonus. */
class BenchAppFolder final {
public:
    BenchAppFolder()
    {
        const QString shipped = QStringLiteral(ORVANTA_BENCH_APP_DIR);
        QDir().mkpath(AppFolder::outputFolder(path()));
        QDir().mkpath(AppFolder::productsFolder(path()) + QStringLiteral("/BENCH1"));
        QFile::copy(AppFolder::templatePath(shipped), AppFolder::templatePath(path()));
        const QString gif = firstSalesPage(shipped);
        QFile::copy(gif, AppFolder::productsFolder(path()) + QStringLiteral("/BENCH1/salespage.gif"));
        QFile::copy(gif, m_pictures.filePath(QStringLiteral("cover.gif")));
    }

    QString path() const { return m_app.path(); }
    QString coverPath() const { return m_pictures.filePath(QStringLiteral("cover.gif")); }

private:
    static QString firstSalesPage(const QString& app)
    {
        const QDir products(AppFolder::productsFolder(app));
        for (const QString& folder : products.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (QFile::exists(products.filePath(folder + QStringLiteral("/salespage.gif"))))
                return products.filePath(folder + QStringLiteral("/salespage.gif"));
        }
        return QString();
    }

    QTemporaryDir m_app;
    QTemporaryDir m_pictures;
};

const BenchAppFolder& appFolder()
{
    static const BenchAppFolder folder;
    return folder;
}

// Lines of about 80 characters with the tags and accents a review typically holds.
QString reviewOf(qsizetype bytes)
{
    const QString line =
        QString::fromUtf8("This <b>product</b> saved me hours: café-style tips, 5 € bonus, <i>real</i> results.\r\n");
    QString review;
    review.reserve(bytes + line.size());
    while (review.size() < bytes)
        review += line;
    return review;
}

PageFields fieldsWithReview(qsizetype reviewBytes)
{
    PageFields fields;
    fields.mainTitle = QStringLiteral("Product XYZ Review");
    fields.affiliateImagePath = appFolder().coverPath();
    fields.review = reviewOf(reviewBytes);
    fields.bonusHeadline = QStringLiteral(" Get Your Copy with Our Private Bonus! Take a Look:");
    fields.rawProductId = QStringLiteral("BENCH1\r\n");
    fields.ctaTitle = QStringLiteral("Yes, Get Your Copy with Our Private Bonus when Buying XYZ Through Our Link:");
    fields.ctaText = QStringLiteral("Click Here to Buy the XYZ (Includes Our Bonus)");
    fields.ctaUrl = QStringLiteral("https://example.com/buy");
    fields.bonusInstructions =
        QStringLiteral("Forward your receipt to bonus@example.com.\r\nYou get the bonus within a day.");
    fields.pdfFileName = QStringLiteral("bench page");
    return fields;
}

void removePage(benchmark::State& state, const BuiltPage& page)
{
    state.PauseTiming();
    QFile::remove(page.htmlPath);
    state.ResumeTiming();
}

void BM_BuildPage(benchmark::State& state)
{
    const PageFields fields = fieldsWithReview(state.range(0));
    for (auto _ : state) {
        const Result<BuiltPage> result = BuildPage(appFolder().path(), fields);
        if (!result.ok())
            state.SkipWithError("BuildPage failed");
        benchmark::DoNotOptimize(result->filledText.size());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_WritePage(benchmark::State& state)
{
    const BuiltPage built = BuildPage(appFolder().path(), fieldsWithReview(state.range(0))).valueOr(BuiltPage());
    for (auto _ : state) {
        removePage(state, built);
        if (!WritePage(built).ok())
            state.SkipWithError("WritePage failed");
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_BuildAndWritePage(benchmark::State& state)
{
    const PageFields fields = fieldsWithReview(state.range(0));
    for (auto _ : state) {
        const Result<BuiltPage> result = BuildPage(appFolder().path(), fields);
        removePage(state, result.valueOr(BuiltPage()));
        if (!result.ok() || !WritePage(result.value()).ok())
            state.SkipWithError("building or writing the page failed");
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

// A typical review, 1 MB and 10 MB.
void reviewSizes(benchmark::internal::Benchmark* bench)
{
    bench->Arg(2 << 10)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond);
}
} // namespace

BENCHMARK(BM_BuildPage)->Apply(reviewSizes);
BENCHMARK(BM_WritePage)->Apply(reviewSizes);
BENCHMARK(BM_BuildAndWritePage)->Apply(reviewSizes);

BENCHMARK_MAIN();
