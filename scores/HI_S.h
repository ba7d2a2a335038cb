#pragma once

#include "ui/Form.h"
#include "ui/PictureBox.h"
#include "scores/ScoreLocation.h"

#include <array>

class CommandButton;
class Label;
struct ScoreTable;

// The high-score dialog: the three places as read from the file when it
// opens. It never writes the file.
class HI_S : public Form {
    Q_OBJECT
public:
    HI_S(ScoreTable& table, ScoreFileLocator locate, QWidget* parent = nullptr);

public slots:
    void Form_Load();
    void Command1_Click();

signals:
    void scoreFileError(const QString& message);

private:
    ScoreTable& table_;
    ScoreFileLocator locate_;
    PictureBox Picture1;
    std::array<Label*, 3> names_{};   // Label2, Label5, Label8
    std::array<Label*, 3> scores_{};  // Label1, Label4, Label7
    CommandButton* Command1 = nullptr;
};
