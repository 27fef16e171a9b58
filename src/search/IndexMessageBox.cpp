#include "search/IndexMessageBox.h"

#include <QApplication>
#include <QMessageBox>

void IndexMessageBox::Show(IndexMessageKind kind, const QString& text)
{
    const QMessageBox::Icon icon =
        kind == IndexMessageKind::Warning ? QMessageBox::Warning : QMessageBox::NoIcon;
    QMessageBox box(icon, QApplication::applicationDisplayName(), text, QMessageBox::Ok);
    box.exec();
}

void IndexMessageBox::Install()
{
    IndexMessages::SetHandler(&IndexMessageBox::Show);
}
