#include "TempDir.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

// A disc folder with one page whose text stands on a red background, so the
// red run across the first line is as wide as the text.
class RenderCommand : public ::testing::Test {
protected:
    TempDir disc;

    void SetUp() override
    {
        disc.write(QStringLiteral("page.htm"),
                   "<html><body style='margin:0;background:#ffffff'>"
                   "<span style='background:#ff0000;color:#ff0000'>iiiiiiiiiiiiiiiiiiii</span>"
                   "</body></html>");
    }

    // disctool's exit status; the picture is read back when it succeeded.
    int render(const QStringList& options, QImage* image = nullptr)
    {
        const QString out = disc.file(QStringLiteral("out.png"));
        QFile::remove(out);
        QProcess process;
        process.start(QStringLiteral(DISCTOOL_PATH),
                      QStringList{"render", disc.path(), "page.htm", "-o", out} + options);
        if (!process.waitForFinished(30000)) {
            process.kill();
            process.waitForFinished();
            return -1;
        }
        if (image) {
            *image = QImage(out);
        }
        return process.exitCode();
    }

    static int redRunWidth(const QImage& image)
    {
        int width = 0;
        while (width < image.width() && image.pixel(width, 2) == qRgb(255, 0, 0)) {
            ++width;
        }
        return width;
    }
};

} // namespace

TEST_F(RenderCommand, TheReadersPageFontSetsTheSizeAndFaceOfPlainText)
{
    QImage small;
    QImage large;
    QImage mono;
    ASSERT_EQ(render({"--font-size", "8"}, &small), 0);
    ASSERT_EQ(render({"--font-size", "24"}, &large), 0);
    ASSERT_EQ(render({"--font", "Courier New", "--font-size", "8"}, &mono), 0);
    ASSERT_EQ(small.size(), QSize(800, 600));
    const int smallWidth = redRunWidth(small);
    EXPECT_GT(smallWidth, 10);
    EXPECT_GT(redRunWidth(large), 2 * smallWidth) << "24 points against 8";
    EXPECT_GT(redRunWidth(mono), 2 * smallWidth) << "monospaced i against proportional";
}

TEST_F(RenderCommand, AFontOutOfRangeIsAUsageErrorAndWritesNothing)
{
    for (const QStringList& bad : {QStringList{"--font-size", "0"},
                                   {"--font-size", "97"},
                                   {"--font-size", "big"},
                                   {"--font", " "}}) {
        QImage image;
        EXPECT_EQ(render(bad, &image), 2) << bad.join(' ').toStdString();
        EXPECT_TRUE(image.isNull());
    }
}
