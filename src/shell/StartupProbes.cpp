#include "shell/StartupProbes.h"

#include <QDateTime>
#include <QFile>
#include <QSaveFile>

namespace {

void writeOnce(const char* variable, bool& done, const QByteArray& content)
{
    if (done) {
        return;
    }
    done = true;
    const QString path = qEnvironmentVariable(variable);
    if (path.isEmpty()) {
        return;
    }
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(content);
        file.commit();
    }
}

} // namespace

void MarkFirstFrame()
{
    static bool done = false;
    writeOnce("DISCSHELL_FIRST_FRAME", done,
              QByteArray::number(QDateTime::currentMSecsSinceEpoch()) + '\n');
}

void MarkIntroFrame()
{
    static bool done = false;
    writeOnce("DISCSHELL_INTRO_FRAME", done,
              QByteArray::number(QDateTime::currentMSecsSinceEpoch()) + '\n');
}

void MarkReady(int x, int y, int width, int height)
{
    static bool done = false;
    writeOnce("DISCSHELL_TEST_READY", done,
              QStringLiteral("%1 %2 %3 %4\n").arg(x).arg(y).arg(width).arg(height).toUtf8());
}
