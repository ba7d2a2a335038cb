#pragma once

#include "ui/PictureBox.h"

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <initializer_list>
#include <vector>

class QMenuBar;
class QPainter;

// A top-level window whose client area is laid out in twips: a fixed-size
// surface under an optional menu bar, with a background picture that the
// window keeps for as long as it is open. Each window holds its background
// tile in a hidden picture box, Picture1.
class Form : public QWidget {
    Q_OBJECT
public:
    enum class Border {
        FixedSingle,  // minimize button and close box
        FixedDialog,  // close box only
    };

    Form(const QString& caption, int clientWidth, int clientHeight, Border border,
         const QColor& backColor, const PictureBox& picture1, QWidget* parent = nullptr);

    // The client area, under the menu bar; the controls are its children.
    QWidget* client() const { return client_; }
    // What the window shows behind its controls, in the client's pixels.
    const QPixmap& background() const { return background_; }
    QMenuBar* menuBar();

    // Inner size of the client area, in twips.
    int ScaleWidth() const { return scaleWidth_; }
    int ScaleHeight() const { return scaleHeight_; }

    // Draws a picture into the window's background, stretched to the given
    // rectangle (twips); what falls outside the client area is clipped.
    void PaintPicture(const QPixmap& picture, int x, int y, int width, int height);
    // Tiles the background with the picture that Picture1 holds.
    void tileBackground();

    // Centres the window on the screen the game is on: its owner's (the
    // main window's, see setOwnerWindow), or its own when it has none.
    void centreOnScreen();

    // The controls that take the focus, in tab-index order; Tab follows it
    // and the focus starts at the first one that is visible.
    void setTabIndexOrder(std::initializer_list<QWidget*> controls);
    void focusFirstControl();

public slots:
    // Runs each time the window is loaded, once its controls are built.
    virtual void Form_Load() {}

signals:
    // Closing from the title bar, Escape or close() was allowed.
    void unloading();

protected:
    // Asked before the window closes; false keeps it open.
    virtual bool QueryUnload() { return true; }
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void refuseFocusWhileDisabled();

    QWidget* client_;
    QMenuBar* menuBar_ = nullptr;
    PictureBox Picture1;
    QPixmap background_;
    QImage stretched_;  // the last picture PaintPicture drew, as it drew it
    qint64 stretchedKey_ = 0;
    std::vector<QWidget*> tabOrder_;
    int scaleWidth_;
    int scaleHeight_;
};

// Copies the part of a kept background that lies under `area` (client pixels).
// The caller clips: under one rectangle the painter takes its fast paths.
void drawBackground(QPainter& painter, const QPixmap& background, const QRect& area);
