#pragma once

#include <QValidator>

// Lets into the name box only what the score file can store, so the name a
// player sees is the name that is saved. Characters that input methods give
// in their JIS form (the wave dash, the minus sign...) become the form the
// file's code page has, which looks the same.
class NameValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};
