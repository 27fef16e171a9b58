#pragma once

#include <QDialog>
#include <optional>

class QPushButton;
class QSpinBox;

// Asks for the number of the page to show: a field limited to the pages there
// are, starting at the page shown; Enter is OK, Esc closes.
class TGoPageForm : public QDialog {
    Q_OBJECT
public:
    // currentPage is 0-based.
    TGoPageForm(int pageCount, int currentPage, QWidget* parent = nullptr);

    // The modal question; the chosen page (0-based), none when closed otherwise.
    static std::optional<int> Ask(int pageCount, int currentPage, QWidget* parent);

    // The page the field names: min(value, page count) - 1, and 0 for a value
    // below 1.
    int ChosenPage() const;

    QSpinBox* PageNum() const { return pageNum_; }
    QPushButton* OKBtn() const { return okBtn_; }
    QPushButton* CancelBtn() const { return cancelBtn_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    int pageCount_;
    QSpinBox* pageNum_ = nullptr;
    QPushButton* okBtn_ = nullptr;
    QPushButton* cancelBtn_ = nullptr;
};
