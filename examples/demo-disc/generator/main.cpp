#include "DemoArt.h"

#include <QGuiApplication>
#include <QTextStream>

// demo_disc_pictures STAGING: draws the demo disc's pictures and sounds into the
// staging copy of its sources (see DemoArt).
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 2) {
        err << "usage: demo_disc_pictures STAGING\n";
        return 2;
    }
    DemoArt art(arguments.at(1));
    if (!art.writeAll()) {
        err << "demo_disc_pictures: " << art.errorString() << '\n';
        return 1;
    }
    return 0;
}
