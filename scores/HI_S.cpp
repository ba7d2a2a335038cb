#include "scores/HI_S.h"

#include "scores/ScoreTable.h"
#include "ui/Colours.h"
#include "ui/CommandButton.h"
#include "ui/Fonts.h"
#include "ui/Caption.h"

namespace {
constexpr int kClientWidth = 2520;
constexpr int kClientHeight = 1545;
constexpr int kRowTop = 120;
constexpr int kRowStep = 360;
constexpr int kLabelsPerRow = 3;  // the designer named them Label1/2, Label4/5, Label7/8
} // namespace

HI_S::HI_S(ScoreTable& table, const ScoreFileLocation& where, QWidget* parent)
    : ScoreDialog(QStringLiteral("HI-SCORE"), kClientWidth, kClientHeight, colours::kBack, table, where, parent)
{
    setObjectName(QStringLiteral("HI_S"));
    buildControls();
}

void HI_S::buildControls()
{
    const QFont font = fonts::japanese(fonts::Face::Gothic, 11.25);
    auto cell = [&](int number, int left, int width, int row) {
        auto* label = new Caption(client(), QStringLiteral("Label%1").arg(number), left, kRowTop + kRowStep * row,
                                width, 255, QString());
        label->font(font).foreColor(Qt::white).backColor(colours::kBlue).align(Qt::AlignRight);
        return label;
    };
    for (int row = 0; row < kScorePlaces; ++row) {
        names_[row] = cell(2 + kLabelsPerRow * row, 120, 1335, row);
        names_[row]->announces(QStringLiteral("%1位 名前").arg(row + 1));
        scores_[row] = cell(1 + kLabelsPerRow * row, 1560, 855, row);
        scores_[row]->announces(QStringLiteral("%1位 得点").arg(row + 1));
    }
    Command1 = new CommandButton(client(), QStringLiteral("Command1"), 720, 1200, 1095, 255, QStringLiteral("OK"));
    connect(Command1, &CommandButton::clicked, this, &HI_S::Command1_Click);
    setTabIndexOrder({Command1});
}

void HI_S::Form_Load()
{
    tileBackground();
    loadTable();
    for (int row = 0; row < kScorePlaces; ++row) {
        scores_[row]->setCaption(QString::number(table_.entries[row].score));
        names_[row]->setCaption(table_.entries[row].name.text());
    }
    focusFirstControl();
}

void HI_S::Command1_Click()
{
    close();
}
