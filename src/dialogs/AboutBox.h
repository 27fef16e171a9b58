#pragma once

#include "components/ServiceComponents.h"

#include <QDialog>
#include <QImage>
#include <QPolygon>
#include <functional>
#include <vector>

class TEffBtnCar;
class TEffCar;

// What the program entry hands the about box.
struct TAboutBoxContext {
    QStringList Lines; // About.cfs decoded, lower-cased
    std::function<QImage(const QString& name)> ReadPicture;
    QString AppDir;
    std::function<bool()> ClickSoundsOn;
    std::function<bool()> HintsOn;
    // The desktop's "open" of a web address, "mailto:" or file.
    std::function<void(const QString& target)> OpenTarget;
};

// An element of the about picture: a picture button that closes the box,
// or a text link that opens its target.
struct TAboutElement {
    QRect Bounds;    // strict hit test: inside, not on the edges
    QImage Up, Move; // none for links
    QString Target;  // links only
    QString Hint;
    QString Sound;
    bool Link = false;
    bool Hover = false;
    TEffBtnCar* Effect = nullptr;
};

// The "about" window: one picture with texts drawn on it, shaped by its
// outline, with picture buttons that close it and text links that open a
// web page or a new e-mail. Created on the first "about", shown modally.
class TAboutBox final : public QDialog, public IAboutBox {
    Q_OBJECT
public:
    static constexpr int kFadeStep = 4;
    static constexpr int kMaxVertices = 2000;

    explicit TAboutBox(const TAboutBoxContext& context, QWidget* parent = nullptr);
    ~TAboutBox() override;

    void ShowModal() override;
    // Shows the box without waiting for it (the tests' way in).
    void ShowBox();

    const QImage& Picture() const { return picture_; }
    const QPolygon& Outline() const { return outline_; }
    const std::vector<TAboutElement>& Elements() const { return elements_; }
    // A link's target: "mailto:" + text when it holds an at sign.
    static QString LinkTarget(const QString& text);
    // The text a link shows: up to its first "?".
    static QString LinkCaption(const QString& text);
    bool FadingIn() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    void ReadFirstPass();
    void ReadSecondPass();
    void AddText(const QStringList& values);
    void AddButton(const QStringList& values);
    int ElementAt(QPoint point) const;
    void PlaySound(const QString& sound) const;

    TAboutBoxContext context_;
    QImage picture_;
    QPolygon outline_;
    std::vector<TAboutElement> elements_;
    TEffCar* fadeIn_ = nullptr;
    bool dragging_ = false;
    QPoint dragOffset_;
};
