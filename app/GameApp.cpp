#include "app/GameApp.h"

#include "ui/WindowOwner.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <memory>

GameApp::GameApp(RandomSource& random, ScoreFileLocation where, ErrorReporter reportError)
    : random_(random), where_(std::move(where)), reportError_(std::move(reportError)),
      main_([this] { return makeMainWindow(); }), gameOver_([this] { return makeGameOverDialog(); }),
      highScores_([this] { return makeHighScoreDialog(); })
{
}

// The dialogs belong to the main window, so Qt would end the program with
// it; the program ends instead when none of its windows is left.
void GameApp::start()
{
    QGuiApplication::setQuitOnLastWindowClosed(false);
    main_.show();
}

bimzo* GameApp::makeMainWindow()
{
    auto* window = new bimzo(game_, random_);
    if (playedOn_)  // a window's screen follows its place; centring starts from there
        window->move(playedOn_->availableGeometry().topLeft());
    // A tick that slips in between a close and the deletion opens nothing.
    connect(window, &bimzo::gameOver, this, [this, window] {
        if (main_.get() == window)
            gameOver_.show();
    });
    connect(window, &bimzo::highScoresRequested, this, [this] { highScores_.show(); });
    connect(window, &bimzo::endRequested, this, &GameApp::endProgram);
    connect(window, &Form::unloading, this, &GameApp::releaseDialogs);
    connect(window, &Form::unloading, this, &GameApp::endWhenNoWindowIsLeft, Qt::QueuedConnection);
    window->installEventFilter(this);
    return window;
}

GMEND* GameApp::makeGameOverDialog()
{
    auto* dialog = new GMEND(game_, table_, where_);
    setOwnerWindow(dialog, main_.get());
    connect(dialog, &GMEND::quitRequested, this, &GameApp::endProgram);
    connect(dialog, &GMEND::playAgainRequested, this, &GameApp::playAgain);
    connect(dialog, &GMEND::highScoresRequested, this, [this] { highScores_.show(); });
    connect(dialog, &GMEND::scoreFileError, this, &GameApp::reportLater);
    return dialog;
}

HI_S* GameApp::makeHighScoreDialog()
{
    auto* dialog = new HI_S(table_, where_);
    setOwnerWindow(dialog, main_.get());
    connect(dialog, &HI_S::scoreFileError, this, &GameApp::reportLater);
    connect(dialog, &Form::unloading, this, &GameApp::endWhenNoWindowIsLeft, Qt::QueuedConnection);
    return dialog;
}

void GameApp::playAgain()
{
    if (bimzo* old = main_.get())
        playedOn_ = old->screen();
    main_.unload();
    game_.resetHitCount();
    bimzo& window = main_.show();
    if (HI_S* scores = highScores_.get())
        setOwnerWindow(scores, &window);  // it outlives the old main window
    gameOver_.unload();
}

void GameApp::endProgram()
{
    gameOver_.unload();
    main_.unload();
    highScores_.unload();
    emit quitRequested();
}

// Qt's Wayland platform closes the windows a closing window owns; the
// dialogs outlive the main window closed from its title bar.
void GameApp::releaseDialogs()
{
    if (HI_S* scores = highScores_.get())
        setOwnerWindow(scores, nullptr);
    if (GMEND* dialog = gameOver_.get())
        setOwnerWindow(dialog, nullptr);
}

// After a window closed from its title bar; the game-over dialog never does.
void GameApp::endWhenNoWindowIsLeft()
{
    if (!main_.isLoaded() && !gameOver_.isLoaded() && !highScores_.isLoaded())
        emit quitRequested();
}

// A file error is shown once the window that met it is up, and the game goes on.
void GameApp::reportLater(const QString& message)
{
    QTimer::singleShot(0, this, [this, message] {
        reportError_(main_.get(), message);
        // A failed save leaves the name box open for another Enter: the keyboard goes back there.
        if (GMEND* dialog = gameOver_.get(); dialog && dialog->inNameEntry())
            raiseInPlace(dialog);
    });
}

// From a game's end until play again the main window is disabled and the
// keyboard belongs to the game-over dialog. A compositor may still give the
// main window the keyboard and raise it on a click (sway does, and refuses
// to activate the dialog again): what is typed there goes on to the dialog,
// and the dialogs are asked back in front.
bool GameApp::eventFilter(QObject* watched, QEvent* event)
{
    // The type first: a main window in its destructor is no bimzo any more.
    const QEvent::Type type = event->type();
    if (type == QEvent::WindowActivate && watched == main_.get()) {
        QTimer::singleShot(0, this, &GameApp::bringDialogsBack);
    } else if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && watched == main_.get()) {
        if (QWidget* owner = keyboardOwner()) {
            QWidget* target = owner->focusWidget() ? owner->focusWidget() : owner;
            std::unique_ptr<QEvent> copy(event->clone());
            QCoreApplication::sendEvent(target, copy.get());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

// The window that takes the keys the disabled main window is given.
QWidget* GameApp::keyboardOwner() const
{
    bimzo* window = main_.get();
    return window && !window->isEnabled() ? gameOver_.get() : nullptr;
}

// Once the main window is active though it takes no input: a modal box (About,
// an error) or the game-over dialog, the high-score table under it, come back
// where they are; a dialog moved to another output stays there.
void GameApp::bringDialogsBack()
{
    bimzo* window = main_.get();
    if (!window || !window->isActiveWindow())
        return;
    if (QWidget* modal = QApplication::activeModalWidget()) {
        raiseInPlace(modal);
    } else if (QWidget* owner = keyboardOwner()) {
        if (HI_S* scores = highScores_.get())
            raiseInPlace(scores);
        raiseInPlace(owner);
    }
}
