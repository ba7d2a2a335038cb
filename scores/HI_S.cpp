#include "scores/HI_S.h"

#include "ui/CommandButton.h"
#include "ui/Fonts.h"
#include "ui/FormClient.h"
#include "ui/Label.h"
#include "ui/Pictures.h"
#include "scores/ScoreFile.h"

namespace {
constexpr int kClientWidth = 2520;
constexpr int kClientHeight = 1545;
constexpr int kRowTop = 120;
constexpr int kRowStep = 360;
const QColor kBackColor(128, 128, 255);
const QColor kCellColor(0, 0, 255);
} // namespace

HI_S::HI_S(ScoreTable& table, ScoreFileLocator locate, QWidget* parent)
    : Form(QStringLiteral("HI-SCORE"), kClientWidth, kClientHeight, Border::FixedDialog, kBackColor, parent),
      table_(table), locate_(std::move(locate)),
      Picture1(pictures::load(QStringLiteral("tile_lavender")), 375, 495)
{
    setObjectName(QStringLiteral("HI_S"));
    const QFont font = fonts::japanese(fonts::Face::Gothic, 11.25);
    auto cell = [&](int number, int left, int width, int row) {
        auto* label = new Label(client(), QStringLiteral("Label%1").arg(number), left, kRowTop + kRowStep * row,
                                width, 255, QString());
        label->font(font).foreColor(Qt::white).backColor(kCellColor).align(Qt::AlignRight);
        return label;
    };
    for (int row = 0; row < 3; ++row) {
        names_[row] = cell(2 + 3 * row, 120, 1335, row);
        names_[row]->announces(QStringLiteral("%1位 名前").arg(row + 1));
        scores_[row] = cell(1 + 3 * row, 1560, 855, row);
        scores_[row]->announces(QStringLiteral("%1位 得点").arg(row + 1));
    }
    Command1 = new CommandButton(client(), QStringLiteral("Command1"), 720, 1200, 1095, 255, QStringLiteral("OK"));
    connect(Command1, &CommandButton::clicked, this, &HI_S::Command1_Click);
    setTabIndexOrder({Command1});
}

void HI_S::Form_Load()
{
    tileBackground(Picture1);
    const ScoreFileStatus status = LoadScoreTable(table_, locate_());
    if (!status.ok())
        emit scoreFileError(status.message);
    for (int row = 0; row < 3; ++row) {
        scores_[row]->setCaption(QString::number(table_.entries[row].score));
        names_[row]->setCaption(table_.entries[row].name.text());
    }
    focusFirstControl();
}

void HI_S::Command1_Click()
{
    close();
}
