#include "shell/DroppedFiles.h"

TDroppedFiles::TDroppedFiles(TComponentSet& components) : components_(components) {}

bool TDroppedFiles::ContainsAny(const QString& name, std::initializer_list<const char*> words)
{
    for (const char* word : words) {
        if (name.contains(QLatin1String(word))) {
            return true;
        }
    }
    return false;
}

void TDroppedFiles::Drop(const QStringList& files)
{
    if (files.isEmpty()) {
        return;
    }
    const QString name = files.first().left(MaxNameLength).toLower();
    if (name.isEmpty()) {
        return;
    }
    IPagePanels* panels = components_.PagePanels;
    if (ContainsAny(name, {".htm", ".txt", ".bmp", ".jpg", ".jpeg", ".gif", ".png"})) {
        if (panels) {
            panels->OpenFile(name);
        }
    } else if (name.contains(QLatin1String(".rar"))) {
        if (components_.ArchiveBrowser) {
            components_.ArchiveBrowser->OpenArchiveBrowser(name, panels ? panels->CurrentDocument()
                                                                        : QString());
        }
    } else if (ContainsAny(name, {".wav", ".mp3", ".mpa"})) {
        if (components_.ClipPlayer) {
            components_.ClipPlayer->PlayClip(name, QString(), 3);
        }
    }
}
