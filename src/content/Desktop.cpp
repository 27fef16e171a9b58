#include "content/Desktop.h"

#include "platform/Processes.h"
#include "platform/VirtualFs.h"

#include <QDir>
#include <QFileDialog>

namespace Desktop {

bool OpenUrl(const QString& url)
{
    return Processes::OpenUrl(url);
}

QString AskSaveFileName(QWidget* parent, const QString& folder, const QString& proposedName,
                        const QString& filter)
{
    const std::optional<QString> start =
        folder.isEmpty() ? std::nullopt : VirtualFs::instance().resolveExisting(folder);
    const QString startFolder = start ? *start : QDir::homePath();
    const QString chosen = QFileDialog::getSaveFileName(
        parent, QString(), QDir(startFolder).filePath(proposedName), DialogFilterOf(filter));
    return chosen.isEmpty() ? QString() : VirtualFs::fromHostPath(chosen);
}

// Descriptions sit at the even places of the "|" list, patterns at the odd.
QString DialogFilterOf(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList descriptions;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString& description = parts.at(i);
        const bool named = description.contains(QLatin1Char('(')) || i + 1 >= parts.size();
        descriptions.append(named ? description
                                  : description + QStringLiteral(" (") + parts.at(i + 1) +
                                        QLatin1Char(')'));
    }
    return descriptions.join(QStringLiteral(";;"));
}

} // namespace Desktop
