#pragma once

#include <QValidator>

// Keeps of a name only what the score file can store, so the name a player
// sees is the name that is saved. Characters that input methods give in
// their JIS form (the wave dash, the minus sign...) become the form the
// file's code page has, which looks the same; characters it has no code for
// (an emoji, ゔ) are dropped, and the rest of the text stays.
class NameValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};
