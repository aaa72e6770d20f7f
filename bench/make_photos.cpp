// Writes two 2400 x 1600 photo-like JPEGs (smooth light with grain, as a camera gives) for the lean-run figures.
#include <QGuiApplication>
#include <QImage>
#include <QRandomGenerator>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    for (int n = 1; n < argc; ++n) {
        QImage image(2400, 1600, QImage::Format_RGB32);
        QRandomGenerator grain(n);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const int noise = int(grain.bounded(24)) - 12;
                image.setPixel(x, y,
                               qRgb(qBound(0, 90 + x / 16 + noise, 255), qBound(0, 60 + y / 10 + noise, 255),
                                    qBound(0, 140 + ((x * n + y) % 300) / 5 + noise, 255)));
            }
        if (!image.save(QString::fromLocal8Bit(argv[n]), "JPEG", 92))
            return 1;
    }
    return 0;
}
