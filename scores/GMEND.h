#pragma once

#include "scores/ScoreDialog.h"

class CommandButton;
class Game;
class Caption;
class TextBox;

// The game-over dialog: the final score, then either the two buttons or,
// for a score that beats third place, the name box.
class GMEND : public ScoreDialog {
    Q_OBJECT
public:
    GMEND(Game& game, ScoreTable& table, const ScoreFileLocation& where, QWidget* parent = nullptr);

    bool inNameEntry() const;

public slots:
    void Form_Load() override;
    void PNAME_KeyPress(int keyAscii);
    void Command1_Click();
    void Command2_Click();

signals:
    void quitRequested();
    void playAgainRequested();
    void highScoresRequested();

protected:
    bool QueryUnload() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void showButtons(bool buttons);

    Game& game_;
    Caption* Label1 = nullptr;
    Caption* Label2 = nullptr;
    Caption* Label3 = nullptr;
    Caption* Label4 = nullptr;
    Caption* Label5 = nullptr;
    CommandButton* Command1 = nullptr;
    CommandButton* Command2 = nullptr;
    TextBox* PNAME = nullptr;
    bool saveFailed_ = false;  // Escape and the close box may then leave name entry unrecorded
};
