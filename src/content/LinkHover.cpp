#include "components/GameKey.h"
#include "content/ContentContext.h"
#include "content/LinkCommands.h"
#include "content/LinkForm.h"
#include "data/ValueReaders.h"
#include "engine/HtmlViewer.h"
#include "platform/Registry.h"

#include <QRegularExpression>

// The status bar text of the standard window while the mouse is over a link.

namespace {

// A scheme other than "file" followed by "://", or an address the desktop
// handles.
bool NamesOtherProtocol(const QString& lowerUrl)
{
    static const QRegularExpression scheme(QStringLiteral("^([a-z][a-z0-9+.-]*)://"));
    const QRegularExpressionMatch match = scheme.match(lowerUrl);
    if (match.hasMatch() && match.captured(1) != QLatin1String("file")) {
        return true;
    }
    return lowerUrl.startsWith(QLatin1String("http:")) ||
           lowerUrl.startsWith(QLatin1String("mailto:")) || lowerUrl.startsWith(QLatin1Char('/'));
}

} // namespace

void TLinkCommands::LinkHover(THtmlViewer* viewer, const QString& target, const QString& url)
{
    const TContentHooks& hooks = context_.Hooks;
    if (!hooks.StandardWindowShown || !hooks.StandardWindowShown() || !hooks.SetStatusBarText) {
        return;
    }
    QString status;
    if (viewer && !url.isEmpty() && !panels_.IsArchiveMode()) {
        const QString text = HoverText(*viewer, url);
        status = target.isEmpty()
                     ? text
                     : QStringLiteral("Url: ") + text + QStringLiteral("  Target: ") + target;
    }
    hooks.SetStatusBarText(status);
}

QString TLinkCommands::HoverText(const THtmlViewer& viewer, const QString& url) const
{
    const QString lower = url.toLower();
    if (url.startsWith(QLatin1Char('#'))) {
        return viewer.currentFile() + url;
    }
    if (LinkForm::Is(url, "copy:")) {
        return CopyText(viewer, url);
    }
    if (LinkForm::Is(url, "rungame:")) {
        return GameHasValue(ValueAfterLastEquals(GameCommandOf(url)), QStringLiteral("exename"))
                   ? QStringLiteral("Запустить игру")
                   : QStringLiteral("Установить игру");
    }
    if (LinkForm::Is(url, "delgame:")) {
        return GameHasValue(ValueBetweenEquals(GameCommandOf(url)), QStringLiteral("instdir"))
                   ? QStringLiteral("Удалить игру")
                   : QStringLiteral("Игра не установлена");
    }
    if (NamesOtherProtocol(lower)) {
        return url;
    }
    return viewer.expandUrl(url);
}

QString TLinkCommands::CopyText(const THtmlViewer& viewer, const QString& url) const
{
    const QString file = viewer.expandUrl(LinkForm::After(url, "copy:").value_or(url)).toLower();
    const IPathInputs* inputs = context_.PathInputs();
    if (!inputs) {
        return file;
    }
    QString folder = inputs->InstallFolder();
    if (!folder.endsWith(QLatin1Char('\\'))) {
        folder += QLatin1Char('\\');
    }
    return QStringLiteral("Копирование файла \"") + file + QStringLiteral("\" в каталог \"") +
           folder + QLatin1Char('"');
}

// The registry key of a game is only read, never created.
bool TLinkCommands::GameHasValue(const QString& key, const QString& value) const
{
    const std::optional<QString> game = GameRegistryKey(key);
    return game &&
           context_.Settings().readString(RegistryHive::LocalMachine, *game, value).has_value();
}
