#pragma once

#include <QString>

class QWidget;

// A modal box with one OK button and no icon; returns when it is closed.
void showMessageBox(QWidget* parent, const QString& text, const QString& title);
