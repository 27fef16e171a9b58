#include "CommandIo.h"
#include "DiscTool.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <cstring>
#include <memory>

int main(int argc, char** argv)
{
    // Drawing pages needs fonts, and so a GUI application; offscreen unless
    // a platform is named.
    const bool draws = argc > 1 && std::strcmp(argv[1], "render") == 0;
    if (draws && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const std::unique_ptr<QCoreApplication> application(draws ? new QGuiApplication(argc, argv)
                                                              : new QCoreApplication(argc, argv));
    QCoreApplication& app = *application;
    QFile out;
    QFile err;
    if (!out.open(stdout, QIODevice::WriteOnly) || !err.open(stderr, QIODevice::WriteOnly)) {
        return ExitBadInput;
    }
    CommandIo io(out, err);
    const int status = DiscTool(io).run(app.arguments().mid(1));
    out.flush();
    err.flush();
    return status;
}
