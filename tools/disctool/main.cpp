#include "CommandIo.h"
#include "DiscTool.h"

#include <QCoreApplication>
#include <QFile>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
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
