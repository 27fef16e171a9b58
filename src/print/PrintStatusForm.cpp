#include "print/PrintStatusForm.h"

#include "print/PreviewPages.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TPrnStatusForm::TPrnStatusForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("PrnStatusForm"));
    setWindowTitle(QStringLiteral("Форматирование текста"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    label_ = new QLabel(QStringLiteral("Status"), this);
    label_->setObjectName(QStringLiteral("StatusLabel"));
    label_->setAlignment(Qt::AlignCenter);
    cancelButton_ = new QPushButton(QStringLiteral("Отмена"), this);
    cancelButton_->setObjectName(QStringLiteral("CancelButton"));
    cancelButton_->setFlat(true);
    cancelButton_->setAutoDefault(false);
    setWindowModality(Qt::ApplicationModal);
    connect(cancelButton_, &QPushButton::clicked, this, &TPrnStatusForm::Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(cancelButton_, 0, Qt::AlignHCenter);
    setFixedSize(260, 100);
}

bool TPrnStatusForm::DoPreview(TPreviewPages& pages, double scale)
{
    label_->setText(QStringLiteral("Форматирование ..."));
    return run([&pages, scale](const THtmlPagePrinter::Progress& progress) {
               return pages.Paginate(scale, progress);
           }) == Outcome::Done;
}

TPrnStatusForm::Outcome TPrnStatusForm::DoPrint(THtmlPagePrinter& pages, QPrinter& printer,
                                                int from, int to)
{
    return run([&pages, &printer, from, to](const THtmlPagePrinter::Progress& progress) {
        return pages.printRange(printer, from, to, progress);
    });
}

QString TPrnStatusForm::StatusText() const
{
    return label_->text();
}

namespace {

// The wait cursor and the window stay only as long as the work, whatever
// way it ends.
class RunningWindow {
public:
    RunningWindow(QDialog& window, bool& running) : window_(window), running_(running)
    {
        running_ = true;
        window_.show();
        window_.raise();
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~RunningWindow()
    {
        QApplication::restoreOverrideCursor();
        running_ = false;
        window_.hide();
    }
    RunningWindow(const RunningWindow&) = delete;
    RunningWindow& operator=(const RunningWindow&) = delete;

private:
    QDialog& window_;
    bool& running_;
};

} // namespace

TPrnStatusForm::Outcome TPrnStatusForm::run(const Work& work)
{
    if (running_) {
        return Outcome::Failed;
    }
    cancelled_ = false;
    bool finished = false;
    {
        const RunningWindow window(*this, running_);
        // The window comes up before a first page that may take long.
        QCoreApplication::processEvents();
        finished = !cancelled_ && work([this](int page) { return reportPage(page); });
    }
    setResult(finished ? Accepted : Rejected);
    return finished ? Outcome::Done : cancelled_ ? Outcome::Cancelled : Outcome::Failed;
}

bool TPrnStatusForm::reportPage(int page)
{
    if (cancelled_) {
        return false;
    }
    label_->setText(QStringLiteral("Номер страницы ") + QString::number(page));
    emit pageReported(page);
    // What is waiting now (a click on "Отмена", a key, a repaint), and no more.
    QCoreApplication::processEvents();
    return !cancelled_;
}

// Closing the window while it works only asks the work to stop.
void TPrnStatusForm::reject()
{
    Cancel();
    if (!running_) {
        QDialog::reject();
    }
}

void TPrnStatusForm::keyPressEvent(QKeyEvent* event)
{
    Cancel();
    event->accept();
}

void TPrnStatusForm::closeEvent(QCloseEvent* event)
{
    Cancel();
    if (running_) {
        event->ignore();
    } else {
        QDialog::closeEvent(event);
    }
}
