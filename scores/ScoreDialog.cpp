#include "scores/ScoreDialog.h"

#include "scores/ScoreFile.h"
#include "ui/Pictures.h"

ScoreDialog::ScoreDialog(const QString& caption, int clientWidth, int clientHeight, const QColor& backColor,
                         ScoreTable& table, const ScoreFileLocation& where, QWidget* parent)
    : Form(caption, clientWidth, clientHeight, Border::FixedDialog, backColor,
           PictureBox(pictures::load(QStringLiteral("tile_lavender")), 375, 495), parent),
      table_(table), where_(where)
{
}

void ScoreDialog::loadTable()
{
    report(LoadScoreTable(table_, where_));
}

void ScoreDialog::report(const ScoreFileStatus& status, const QString& next)
{
    if (!status.ok())
        emit scoreFileError(next.isEmpty() ? status.message : status.message + QLatin1Char('\n') + next);
}
