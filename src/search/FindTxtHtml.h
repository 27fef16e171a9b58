#pragma once

#include "components/ComponentContexts.h"
#include "components/ServiceComponents.h"
#include "search/index/FindResults.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class QLineEdit;
class QKeyEvent;
class THtmlViewer;

// The one object behind every search field: a borderless edit per element,
// and the search it starts. A page search finds the next occurrence in the
// page shown and, in all-pages scope, walks the pages of the program's folder;
// an index search lists the pages of a keyword (scanning the archive's pages
// when the index has no answer); a contents search finds a tree node.
class TFindTxtHtml final : public QObject, public IFindPanel {
    Q_OBJECT
public:
    // Creates the fields of context.Records and shows the current screen's.
    TFindTxtHtml(const TFindPanelContext& context, std::function<THtmlViewer*()> currentViewer);
    ~TFindTxtHtml() override;

    void ShowScreenEdits() override;
    void ShowEdits(bool hide) override;
    void FindNext(int number) override;
    void SetPageScope(bool allPages) override;
    void SetIdle(bool idle) override;
    bool Idle() const override { return idle_; }
    void SetIndexMode(bool on) override;
    void SetContentsMode(bool on) override;
    QStringList ResultTitles() const override { return results_.Titles; }
    void FollowResult(int index) override;
    QList<QWidget*> Edits() const override;

    // Polled by a walk between pages: the search button asked it to stop.
    bool StopRequested() const { return idle_; }
    const RFindResults& Results() const { return results_; }

    // The state of the current walk.
    int PageIndex() const { return pageIndex_; }
    const QString& StartFile() const { return startFile_; }
    bool AllPages() const { return allPages_; }
    bool IndexMode() const { return indexMode_; }
    bool ContentsMode() const { return contentsMode_; }
    TDynamicStringArray PageList(int field) const { return pageLists_.value(field); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* CreateEdit(const RFindTxt& record, QWidget* parent);
    void SetFieldVisible(int field, bool visible);
    int FieldOf(int number) const;
    QString FieldText(int field) const;
    void NormalizeText(int field);
    void EditChange();
    bool EditKeyPress(QLineEdit* edit, QKeyEvent* key);

    // Each returns false when the panel was destroyed while events ran.
    bool FindInPages(int field);
    bool WalkPages(int field, const QString& text);
    bool FindInIndex(int field);
    bool ScanArchivePages(int field, const QString& text);
    void FindInContents(int field);

    bool FindHeading(THtmlViewer& viewer, const QString& text);
    void EndWalk(THtmlViewer* searched, const QString& text);
    void ShowFoundPage(const QString& page, const QString& text);
    void StepProgress(double target);
    void BuildDiskPageList(int field);
    void BuildArchivePageList(int field);

    THtmlViewer* CurrentViewer() const;
    THtmlViewer* SearchedViewer(int field) const;
    ISkinnedDialog* Dialog() const;
    IScaleBar* ScaleBar() const;
    void ShowStatus(const QString& text);
    void ClearStatus();
    bool CaseSensitive() const;

    TFindPanelContext context_;
    std::function<THtmlViewer*()> currentViewer_;
    QList<QPointer<QLineEdit>> edits_;
    QStringList frameNames_;
    QList<TDynamicStringArray> noFiles_;
    QList<int> numbers_;
    QList<int> screens_;
    QList<TDynamicStringArray> pageLists_;
    int pageIndex_ = -1;
    bool allPages_ = false;
    int lastScreen_ = -1;
    bool indexMode_ = false;
    bool contentsMode_ = false;
    bool prefixTried_ = false;
    bool idle_ = true;
    RFindResults results_;
    QString startFile_;
    bool searching_ = false;
    int scopeGeneration_ = 0;
    int followNumber_ = 1;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// The panel for the interface's search fields; null when there are none.
std::unique_ptr<IFindPanel> CreateFindPanel(const TFindPanelContext& context,
                                            std::function<THtmlViewer*()> currentViewer);
