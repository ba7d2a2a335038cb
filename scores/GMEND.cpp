#include "scores/GMEND.h"

#include "game/Game.h"
#include "scores/NameValidator.h"
#include "scores/Ranking.h"
#include "scores/RecordScore.h"
#include "ui/Colours.h"
#include "ui/CommandButton.h"
#include "ui/Fonts.h"
#include "ui/Keys.h"
#include "ui/Caption.h"
#include "ui/TextBox.h"

#include <QKeyEvent>

namespace {
constexpr int kClientWidth = 4380;
constexpr int kClientHeight = 1425;
constexpr int kMaxNameLength = 12;
const QString kScoreCaption = QStringLiteral("Score");
const QString kHiScoreCaption = QStringLiteral("HI-Score");
const QString kRetryHint = QStringLiteral(
    "原因を取り除いてから名前の欄で Enter を押すと、もう一度記録します。記録せずに続けるときは Esc を押してください。");
} // namespace

GMEND::GMEND(Game& game, ScoreTable& table, const ScoreFileLocation& where, QWidget* parent)
    : ScoreDialog(QStringLiteral("ＧＡＭＥ　ＯＶＥＲ"), kClientWidth, kClientHeight, Qt::white, table, where,
                  parent),
      game_(game)
{
    setObjectName(QStringLiteral("GMEND"));
    buildControls();
}

// Back to front; the name row lies over the button row.
void GMEND::buildControls()
{
    QWidget* c = client();
    const QFont big = fonts::japanese(fonts::Face::Gothic, 15.75, true);

    Label1 = new Caption(c, QStringLiteral("Label1"), 360, 120, 3615, 420, QStringLiteral("げ～むお～ば～"));
    Label1->font(fonts::japanese(fonts::Face::Gothic, 20.25, true, true))
        .foreColor(Qt::white).backColor(colours::kBlue).align(Qt::AlignHCenter);
    Label3 = new Caption(c, QStringLiteral("Label3"), 390, 600, 915, 315, kScoreCaption);
    Label3->font(big).foreColor(colours::kText).transparent().align(Qt::AlignHCenter).autoSize();
    Label2 = new Caption(c, QStringLiteral("Label2"), 3300, 600, 195, 315, QStringLiteral("0"));
    Label2->font(big).foreColor(colours::kRed).transparent().align(Qt::AlignRight).autoSize()
        .announces(QStringLiteral("得点"));
    Label4 = new Caption(c, QStringLiteral("Label4"), 3600, 600, 375, 375, QStringLiteral("点"));
    Label4->font(big).foreColor(colours::kText).transparent();

    Command2 = new CommandButton(c, QStringLiteral("Command2"), 360, 960, 1575, 375, QStringLiteral("まだやる"));
    Command1 = new CommandButton(c, QStringLiteral("Command1"), 2400, 960, 1575, 375, QStringLiteral("もうやめ"));
    connect(Command1, &CommandButton::clicked, this, &GMEND::Command1_Click);
    connect(Command2, &CommandButton::clicked, this, &GMEND::Command2_Click);

    Label5 = new Caption(c, QStringLiteral("Label5"), 360, 1080, 1575, 255, QStringLiteral("名前を入力"));
    Label5->font(fonts::japanese(fonts::Face::Gothic, 9)).foreColor(colours::kText).backColor(colours::kPanel).align(Qt::AlignHCenter);
    Label5->hide();
    PNAME = new TextBox(c, QStringLiteral("PNAME"), 2400, 1080, 1575, 270);
    PNAME->backColor(colours::kPanel).foreColor(colours::kText);
    PNAME->setTypedMaxLength(kMaxNameLength);
    PNAME->setAccessibleName(QStringLiteral("名前"));
    PNAME->setCharacterFilter(new NameValidator(PNAME));
    PNAME->hide();
    connect(PNAME, &TextBox::KeyPress, this, &GMEND::PNAME_KeyPress);

    setTabIndexOrder({Command1, Command2, PNAME});
}

bool GMEND::inNameEntry() const
{
    return PNAME->isVisibleTo(this);
}

void GMEND::Form_Load()
{
    tileBackground();
    Label2->setCaption(QString::fromStdString(game_.score().text()));
    loadTable();
    if (beatsThirdPlace(table_, game_.score().value())) {
        showButtons(false);
        Label3->setCaption(kHiScoreCaption);
        PNAME->setProgramText(table_.entries[0].name.text());
        PNAME->selectAllText();
    }
    focusFirstControl();
}

void GMEND::showButtons(bool buttons)
{
    Command1->setVisible(buttons);
    Command2->setVisible(buttons);
    Label5->setVisible(!buttons);
    PNAME->setVisible(!buttons);
}

void GMEND::PNAME_KeyPress(int keyAscii)
{
    if (keyAscii != keys::kEnter || !inNameEntry())
        return;
    const ScoreFileStatus status = RecordScore(static_cast<double>(game_.score().value()), game_.hitCount(),
                                               PNAME->text(), table_, where_);
    if (!status.written()) {
        // The name stays in the box: once the cause is gone, Enter tries again.
        saveFailed_ = true;
        report(status, kRetryHint);
        return;
    }
    report(status);
    showButtons(true);
    Label3->setCaption(kScoreCaption);
    emit highScoresRequested();
}

void GMEND::Command1_Click()
{
    emit quitRequested();
}

void GMEND::Command2_Click()
{
    emit playAgainRequested();
}

// Leaving by the title bar or Escape plays again, so the main window is never
// left disabled; during name entry the name must be given first, unless
// recording it has failed.
bool GMEND::QueryUnload()
{
    if (!inNameEntry() || saveFailed_)
        Command2_Click();
    return false;  // play-again unloads the dialog itself
}

void GMEND::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        if (!inNameEntry() || saveFailed_)
            Command2_Click();
        return;
    }
    Form::keyPressEvent(event);
}
