#pragma once

#include "ui/Form.h"
#include "scores/ScoreFileStatus.h"
#include "scores/ScoreLocation.h"

struct ScoreTable;

// What the game-over and high-score dialogs share: the lavender tile, the
// table they read and where its file lives (settled for the run), and the one way a file error
// leaves them. A failed load or save is reported and the dialog goes on
// with the table as it stands.
class ScoreDialog : public Form {
    Q_OBJECT
public:
    ScoreDialog(const QString& caption, int clientWidth, int clientHeight, const QColor& backColor,
                ScoreTable& table, const ScoreFileLocation& where, QWidget* parent);

signals:
    void scoreFileError(const QString& message);

protected:
    void loadTable();
    // One message per failure; `next` adds what the player can do about it.
    void report(const ScoreFileStatus& status, const QString& next = {});

    ScoreTable& table_;
    const ScoreFileLocation where_;
};
