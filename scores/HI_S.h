#pragma once

#include "scores/ScoreDialog.h"
#include "scores/ScoreTable.h"

#include <array>

class CommandButton;
class Caption;

// The high-score dialog: the three places as read from the file when it
// opens. It never writes the file.
class HI_S : public ScoreDialog {
    Q_OBJECT
public:
    HI_S(ScoreTable& table, const ScoreFileLocation& where, QWidget* parent = nullptr);

public slots:
    void Form_Load() override;
    void Command1_Click();

private:
    void buildControls();

    std::array<Caption*, kScorePlaces> names_{};   // Label2, Label5, Label8
    std::array<Caption*, kScorePlaces> scores_{};  // Label1, Label4, Label7
    CommandButton* Command1 = nullptr;
};
