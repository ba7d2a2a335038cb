#include "game/bimzo.h"

#include "game/Game.h"
#include "game/PlayField.h"
#include "ui/Caption.h"
#include "ui/Colours.h"
#include "ui/Fonts.h"
#include "ui/GameTimer.h"
#include "ui/MenuKeys.h"
#include "ui/MessageBox.h"
#include "ui/Pictures.h"
#include "ui/PressedPixel.h"
#include "BuildInfo.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>

namespace {
constexpr int kClientHeight = 6330;
constexpr QColor kShadowColor(192, 192, 192);

QString qs(const std::string& utf8) { return QString::fromStdString(utf8); }
} // namespace

bimzo::bimzo(Game& game, RandomSource& random, QWidget* parent)
    : Form(QStringLiteral("Bimzo！"), kFieldWidth, kClientHeight, Border::FixedSingle, colours::kBack,
           PictureBox(pictures::load(QStringLiteral("tile_sky")), 855, 855), parent),
      game_(game), random_(random), Timer1(new GameTimer(this))
{
    setObjectName(QStringLiteral("bimzo"));
    buildControls();
    buildMenus();
    connect(Timer1, &GameTimer::Timer, this, &bimzo::Timer1_Timer);
}

// The captions are made back to front, in front of the field's pictures and
// lines: a later sibling lies in front.
void bimzo::buildControls()
{
    field_ = new PlayField(background(), client());
    field_->setGeometry(client()->rect());
    for (FieldItem* shooter : field_->sb)
        connect(shooter, &FieldItem::Click, this, &bimzo::sb_Click);
    QWidget* c = field_;
    const QFont panelFont = fonts::japanese(fonts::Face::Gothic, 9.75, true);
    const QFont scoreFont = fonts::japanese(fonts::Face::Gothic, 18);

    ten[0] = new Caption(c, QStringLiteral("ten_0"), 980, 140, 1455, 375, QStringLiteral("0"));
    ten[0]->font(scoreFont).foreColor(kShadowColor).transparent().align(Qt::AlignRight);

    Label2 = new Caption(c, QStringLiteral("Label2"), 120, 120, 855, 375, QStringLiteral("得点"));
    Label2->font(fonts::japanese(fonts::Face::Mincho, 15.75, true))
        .foreColor(Qt::black).backColor(colours::kPanel).align(Qt::AlignHCenter).singleBorder();
    Label2->setCursor(pictures::personCursor());
    Label2->setToolTip(QStringLiteral("クリックでゲームスタート"));
    connect(Label2, &Caption::Click, this, &bimzo::Label2_Click);
    Label2->installEventFilter(this);

    lv = new Caption(c, QStringLiteral("lv"), 2520, 0, 1095, 255, qs(rules::kFirstLevelCaption));
    lv->font(panelFont).foreColor(Qt::black).backColor(colours::kPanel).align(Qt::AlignRight).announces({});

    Label1 = new Caption(c, QStringLiteral("Label1"), 3240, 240, 375, 255,
                         QString::number(rules::kHitsPerGame));
    Label1->font(panelFont).foreColor(colours::kText).backColor(colours::kPanel).align(Qt::AlignHCenter)
        .announces(QStringLiteral("残枚数"));

    Label3 = new Caption(c, QStringLiteral("Label3"), 2520, 240, 735, 255, QStringLiteral("残枚数"));
    Label3->font(panelFont).foreColor(colours::kText).backColor(colours::kPanel).align(Qt::AlignHCenter);

    ten[1] = new Caption(c, QStringLiteral("ten_1"), 960, 120, 1455, 375, QStringLiteral("0"));
    ten[1]->font(scoreFont).foreColor(Qt::white).transparent().align(Qt::AlignRight)
        .announces(QStringLiteral("得点"));
}

void bimzo::buildMenus()
{
    QMenu* mfile = menuBar()->addMenu(QStringLiteral("File"));
    mfile->setObjectName(QStringLiteral("mfile"));
    stm = mfile->addAction(QStringLiteral("Start"), this, &bimzo::stm_Click);
    stm->setObjectName(QStringLiteral("stm"));
    stm->setShortcut(Qt::Key_F5);
    mfile->addAction(QStringLiteral("HI-SCORE"), this, &bimzo::him_Click)->setObjectName(QStringLiteral("him"));
    mfile->addAction(QStringLiteral("End"), this, &bimzo::mend_Click)->setObjectName(QStringLiteral("mend"));

    QMenu* mhelp = menuBar()->addMenu(QStringLiteral("Help"));
    mhelp->setObjectName(QStringLiteral("mhelp"));
    mhelp->addAction(QStringLiteral("About"), this, &bimzo::mab_Click)->setObjectName(QStringLiteral("mab"));
    menuKeys::reachFromKeyboard(menuBar());
}

void bimzo::Form_Load()
{
    game_.formLoad();
    showBoard();
    tileBackground();
}

void bimzo::stm_Click()
{
    if (!isEnabled())
        return;  // a shortcut must not reach a window that is waiting on the game-over dialog
    game_.start();
    showBoard();
    Timer1->rearm();  // the first tick comes a whole interval after Start
}

void bimzo::Label2_Click()
{
    stm_Click();
}

// 「得点」 lies behind the targets. Where the first target's top row overlaps
// its lower border, a press belongs to the target, which does nothing with it.
bool bimzo::eventFilter(QObject* watched, QEvent* event)
{
    const bool press = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
    if (watched == Label2 && press) {
        const QPoint at = pressedPixel(static_cast<QMouseEvent*>(event));
        return field_->itemAt(Label2->mapToParent(at)) != nullptr;
    }
    return Form::eventFilter(watched, event);
}

void bimzo::Timer1_Timer()
{
    const TickResult result = game_.tick(random_);
    showBoard();
    if (result.ended())
        emit gameOver();
}

void bimzo::sb_Click(int index)
{
    if (!isEnabled())
        return;
    game_.shoot(index);
    showBoard();
}

void bimzo::him_Click()
{
    emit highScoresRequested();
}

void bimzo::mend_Click()
{
    emit endRequested();
}

QString bimzo::aboutText()
{
    return QStringLiteral("Bimzo！ VER " BIMZO_VERSION "\r\n"
                          "\r\n"
                          "制作　森川 涼  ryo.morikawa@example.org\r\n"
                          "\r\n"
                          "最新版　https://bimzo.example.org/\r\n"
                          "2025-2026  Bimzo Works");
}

void bimzo::mab_Click()
{
    showMessageBox(this, aboutText(), windowTitle());
}

// Pushes the rules' board into the controls. Each setter skips an unchanged
// value, so a tick repaints only what moved or changed.
void bimzo::showBoard()
{
    const Board& board = game_.board();
    field_->showLanes(board);
    const QString score = qs(board.scoreText);
    ten[0]->setCaption(score);
    ten[1]->setCaption(score);
    Label1->setCaption(qs(board.remainingText));
    lv->setCaption(qs(board.levelCaption));
    Timer1->setInterval(board.interval);
    setEnabled(board.enabled);
}
