#include "CraftedDisc.h"

#include "ToolRunner.h"

#include <QDir>

bool CraftedDisc::make(const QString& structText, const QStringList& pictures)
{
    dir_.write(QStringLiteral("resources/Struct.txt"), structText.toUtf8());
    for (const QString& picture : pictures) {
        dir_.write(QStringLiteral("resources/") + picture, "BM picture " + picture.toUtf8());
    }
    QDir().mkpath(folder());
    const ToolResult packed =
        runTool({"dhl", "pack", dir_.file(QStringLiteral("resources")), "-o", container()});
    return packed.status == 0;
}
