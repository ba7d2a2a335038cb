#include "ui/TextBox.h"

#include "ui/Fonts.h"
#include "ui/Keys.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QKeyEvent>
#include <QValidator>

#include <algorithm>

namespace {
// Where `after` differs from `before`: the lengths of their common start and
// common end, which never split a surrogate pair or overlap.
std::pair<qsizetype, qsizetype> unchangedEnds(const QString& before, const QString& after)
{
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype head = 0;
    while (head < shorter && before[head] == after[head])
        ++head;
    if (head > 0 && after[head - 1].isHighSurrogate())
        --head;
    qsizetype tail = 0;
    while (tail < shorter - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    if (tail > 0 && after[after.size() - tail].isLowSurrogate())
        --tail;
    return {head, tail};
}
} // namespace

// Qt's validator hook sees every edit, whatever brought it, before it shows.
class TextBox::EditGuard : public QValidator {
public:
    explicit EditGuard(TextBox* box) : QValidator(box), box_(box) {}
    State validate(QString& input, int& pos) const override
    {
        box_->admit(input, pos);
        return Acceptable;
    }

private:
    TextBox* box_;
};

TextBox::TextBox(QWidget* parent, const QString& name, int left, int top, int width, int height)
    : QLineEdit(parent)
{
    setObjectName(name);
    setAccessibleName(name);
    setGeometry(twips::rect(left, top, width, height));
    setFont(fonts::japanese(fonts::Face::Gothic, 9));
    setFrame(true);
    setTextMargins(0, 0, 0, 0);
    setValidator(new EditGuard(this));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { accepted_ = text; });
}

TextBox& TextBox::backColor(const QColor& color)
{
    return paletteColor(QPalette::Base, color);
}

TextBox& TextBox::foreColor(const QColor& color)
{
    return paletteColor(QPalette::Text, color);
}

TextBox& TextBox::paletteColor(QPalette::ColorRole role, const QColor& color)
{
    QPalette p = palette();
    p.setColor(role, color);
    setPalette(p);
    return *this;
}

void TextBox::selectAllText()
{
    setSelection(0, static_cast<int>(text().size()));
}

void TextBox::setCharacterFilter(QValidator* filter)
{
    filter_ = filter;
}

void TextBox::setTypedMaxLength(int limit)
{
    typedMaxLength_ = limit;
}

void TextBox::setProgramText(const QString& text)
{
    accepted_ = text;  // taken whole, past the limit too
    setText(text);
}

// An edit replaced a middle part of the text with what it brought in. Of
// that, the filter's choice is kept, up to the room the limit leaves (or the
// text's old length, if longer); the rest is dropped with the bell, so part
// of an input method's commit or a paste is never lost without a sign.
void TextBox::admit(QString& text, int& cursor)
{
    if (text == accepted_)
        return;
    const auto [head, tail] = unchangedEnds(accepted_, text);
    const QString brought = text.mid(head, text.size() - head - tail);
    QString kept = brought;
    int unused = 0;
    if (filter_ && filter_->validate(kept, unused) == QValidator::Invalid)
        kept.clear();
    qsizetype room = std::max<qsizetype>(typedMaxLength_, accepted_.size()) - head - tail;
    if (kept.size() > room) {
        if (room > 0 && kept[room - 1].isHighSurrogate())
            --room;
        kept.truncate(room);
    }
    text.replace(head, brought.size(), kept);
    if (kept.size() == brought.size())
        return;  // all kept, or changed for look-alikes
    cursor = static_cast<int>(head + kept.size());
    QApplication::beep();
    emit inputRefused();
}

void TextBox::keyPressEvent(QKeyEvent* event)
{
    if (keys::isEnter(*event)) {
        if (!event->isAutoRepeat())
            emit KeyPress(keys::kEnter);
    } else if (!event->text().isEmpty()) {
        emit KeyPress(event->text().front().unicode());
    }
    QLineEdit::keyPressEvent(event);
}
