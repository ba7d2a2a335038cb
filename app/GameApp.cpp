#include "app/GameApp.h"

#include "ui/WindowOwner.h"

#include <QEvent>
#include <QTimer>

GameApp::GameApp(RandomSource& random, ScoreFileLocator locate, ErrorReporter reportError)
    : random_(random), locate_(std::move(locate)), reportError_(std::move(reportError)),
      main_([this] { return makeMainWindow(); }), gameOver_([this] { return makeGameOverDialog(); }),
      highScores_([this] { return makeHighScoreDialog(); })
{
}

void GameApp::start()
{
    main_.show();
}

bimzo* GameApp::makeMainWindow()
{
    auto* window = new bimzo(game_, random_);
    connect(window, &bimzo::gameOver, this, [this] { gameOver_.show(); });
    connect(window, &bimzo::highScoresRequested, this, [this] { highScores_.show(); });
    connect(window, &bimzo::endRequested, this, &GameApp::endProgram);
    window->installEventFilter(this);
    return window;
}

GMEND* GameApp::makeGameOverDialog()
{
    auto* dialog = new GMEND(game_, table_, locate_);
    setOwnerWindow(dialog, main_.get());
    connect(dialog, &GMEND::quitRequested, this, &GameApp::endProgram);
    connect(dialog, &GMEND::playAgainRequested, this, &GameApp::playAgain);
    connect(dialog, &GMEND::highScoresRequested, this, [this] { highScores_.show(); });
    connect(dialog, &GMEND::scoreFileError, this, &GameApp::reportLater);
    return dialog;
}

HI_S* GameApp::makeHighScoreDialog()
{
    auto* dialog = new HI_S(table_, locate_);
    setOwnerWindow(dialog, main_.get());
    connect(dialog, &HI_S::scoreFileError, this, &GameApp::reportLater);
    return dialog;
}

void GameApp::playAgain()
{
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

// A file error is shown once the window that met it is up, and the game goes on.
void GameApp::reportLater(const QString& message)
{
    QTimer::singleShot(0, this, [this, message] {
        reportError_(main_.get(), message);
        // A failed save leaves the name box open for another Enter: the keyboard goes back there.
        if (GMEND* dialog = gameOver_.get(); dialog && dialog->inNameEntry()) {
            dialog->raise();
            dialog->activateWindow();
        }
    });
}

// From a game's end until play again the main window is disabled and the
// keyboard belongs to the game-over dialog: a window manager that activates
// the main window on a click gets the dialog back in front, focus unchanged.
bool GameApp::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && watched == main_.get() && !main_.get()->isEnabled()
        && gameOver_.isLoaded()) {
        QTimer::singleShot(0, this, [this] {
            if (GMEND* dialog = gameOver_.get()) {
                dialog->raise();
                dialog->activateWindow();
            }
        });
    }
    return QObject::eventFilter(watched, event);
}
