#pragma once

#include "engine/HtmlPagePrinter.h"

#include <QDialog>
#include <functional>

class QLabel;
class QPrinter;
class QPushButton;
class TPreviewPages;

// The progress window of the print preview. It stays up, application modal,
// while it lays the pages out or prints a range of them, shows the page it has
// reached, and stops at the next page once "Отмена" or any key is pressed.
// The work runs in the caller's call; between pages the window handles the
// events that are waiting, so no call here waits for an event to come.
class TPrnStatusForm : public QDialog {
    Q_OBJECT
public:
    enum class Outcome { Done, Cancelled, Failed };

    explicit TPrnStatusForm(QWidget* parent = nullptr);

    // Lays the pages out at a scale; false when cancelled or when there is
    // nothing to lay out (the pages of the last layout stay then).
    bool DoPreview(TPreviewPages& pages, double scale);
    // Prints the pages from .. to (0-based) as laid out last.
    Outcome DoPrint(THtmlPagePrinter& pages, QPrinter& printer, int from, int to);

    void Cancel() { cancelled_ = true; }
    bool Cancelled() const { return cancelled_; }
    QString StatusText() const;
    QPushButton* CancelButton() const { return cancelButton_; }

signals:
    // Each page reached (1-based), once the label shows it.
    void pageReported(int page);

public slots:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    using Work = std::function<bool(const THtmlPagePrinter::Progress& progress)>;
    Outcome run(const Work& work);
    bool reportPage(int page);

    QLabel* label_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    bool cancelled_ = false;
    bool running_ = false;
};
