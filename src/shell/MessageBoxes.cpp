#include "shell/MessageBoxes.h"

#include <QMessageBox>

namespace {

TMessageBoxHandler& handler()
{
    static TMessageBoxHandler installed;
    return installed;
}

} // namespace

void ShowWarningBox(const QString& caption, const QString& text)
{
    if (handler()) {
        handler()(caption, text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok);
    box.exec();
}

void SetMessageBoxHandler(TMessageBoxHandler installed)
{
    handler() = std::move(installed);
}
