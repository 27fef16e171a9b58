#pragma once

#include <QColor>
#include <QImage>
#include <QString>

// Draws the interface pictures of the demo disc: the screen background, the
// three state pictures of the menu buttons and of the two system buttons.
// Everything is drawn from code, so the repository holds no binary pictures.
class DemoPictures {
public:
    // Window size and the places the interface description puts things at.
    static constexpr int WindowWidth = 800;
    static constexpr int WindowHeight = 600;
    static constexpr int Corner = 20;
    static constexpr int ButtonWidth = 180;
    static constexpr int ButtonHeight = 44;
    static constexpr int SystemButtonSize = 24;

    enum class State { Up, Move, Down };

    static QImage background(const QString& title);
    static QImage menuButton(State state);
    static QImage minimizeButton(State state);
    static QImage closeButton(State state);

    // Writes every picture into folder as .bmp files; false on a failed write.
    static bool writeAll(const QString& folder, QString& error);

private:
    static QImage systemButton(State state, bool cross);
    static QColor stateColor(State state);
};
