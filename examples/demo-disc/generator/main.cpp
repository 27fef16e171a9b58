#include "DemoPictures.h"

#include <QGuiApplication>
#include <QTextStream>

// demo_disc_pictures FOLDER: writes the demo disc's interface pictures.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 2) {
        err << "usage: demo_disc_pictures FOLDER\n";
        return 2;
    }
    QString error;
    if (!DemoPictures::writeAll(arguments.at(1), error)) {
        err << "demo_disc_pictures: " << error << '\n';
        return 1;
    }
    return 0;
}
